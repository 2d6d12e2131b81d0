// A pseudo-terminal standing in for a serial device in a test tree of /dev: its slave side is a
// real terminal device that opens as a serial adapter does.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace kvt::testing {

class PseudoTerminal {
 public:
  PseudoTerminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY)) {
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    slave_ = ::ptsname(master_);
  }
  ~PseudoTerminal() { ::close(master_); }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  const std::string& device() const { return slave_; }

 private:
  int master_;
  std::string slave_;
};

}  // namespace kvt::testing
