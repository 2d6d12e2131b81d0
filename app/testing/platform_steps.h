// Test steps that the platforms take differently (platform_steps_posix.cpp,
// platform_steps_win32.cpp).
#pragma once

#include <filesystem>
#include <string>

namespace kvt::testing {

// Runs a command line (a program and its arguments, no redirections) with its output thrown
// away, and gives its exit status; -1 when it did not end by itself.
int exitStatusOf(const std::string& commandLine);

// While one lives, a new content of the file cannot be written whole (a file size limit on POSIX
// systems, the file held open against replacement on Windows), so that the failure path of a
// replacement can be tested. The file exists.
class FailingReplacement {
 public:
  explicit FailingReplacement(const std::filesystem::path& file);
  ~FailingReplacement();
  FailingReplacement(const FailingReplacement&) = delete;
  FailingReplacement& operator=(const FailingReplacement&) = delete;

 private:
  struct Saved;
  Saved* saved_;
};

}  // namespace kvt::testing
