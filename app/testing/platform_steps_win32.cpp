#include <windows.h>

#include <cstdlib>

#include "platform_steps.h"

namespace kvt::testing {

int exitStatusOf(const std::string& commandLine) {
  return std::system((commandLine + " >NUL 2>&1").c_str());
}

// The file held open for reading and writing without sharing its deletion: the new content can
// be written beside it, but cannot take its place.
struct FailingReplacement::Saved {
  HANDLE file = INVALID_HANDLE_VALUE;
};

FailingReplacement::FailingReplacement(const std::filesystem::path& file) : saved_(new Saved) {
  saved_->file =
      CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

FailingReplacement::~FailingReplacement() {
  if (saved_->file != INVALID_HANDLE_VALUE) CloseHandle(saved_->file);
  delete saved_;
}

}  // namespace kvt::testing
