// A capture text kept on disk, to be parsed again later as if the clock had just printed it:
// root/Quor/<contest code>/IC<licence>, every line of the capture text followed by CR LF, and then
// one CR LF more (the empty line after the capture text's last line break).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "capture_text.h"

namespace kvt {

struct SavedCapture {
  std::filesystem::path path;
  std::string error;  // for the user; empty when the capture was saved or read
};

// Saves the capture under root (trimmed code and licence; both may be empty, which puts the file
// IC directly in root/Quor). The folders are created even for an empty capture, which writes no
// file. A code or licence that would lead outside its folder is refused.
SavedCapture saveCapture(const CaptureText& capture, const std::filesystem::path& root,
                         std::string_view contestCode, std::string_view licence);

// The lines of a saved capture file; an error when the file cannot be read or holds nothing.
std::optional<CaptureText> loadCapture(const std::filesystem::path& file, std::string& error);

}  // namespace kvt
