// The demo printouts that the repository ships, as test material: a basketing, a checking and an
// archive list laid out as the clocks print them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "capture_text.h"

namespace kvt::testing {

// The printed lines of demo/printouts/<name>.txt ("basketing", "checking" or "archive").
std::vector<std::string> printedLines(const std::string& name);

// The head of a demo printout (its lines before the first pigeon line) followed by the given lines.
CaptureText headWith(const std::string& name, const std::vector<std::string>& lines);

// Reads a whole file as bytes.
std::string fileBytes(const std::filesystem::path& path);

}  // namespace kvt::testing
