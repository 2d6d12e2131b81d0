// A clock on a pseudo-terminal, in place of a real one on a serial port: the slave side is
// published as COM<n> in the link's ports folder, and what is written to the master side arrives
// at the link as if the clock had sent it. Used by the clock simulator quorclock and by the tests.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorclock {

class PtyClock {
 public:
  // Opens a pseudo-terminal in raw mode and publishes its slave as COM<comNumber>, replacing an
  // entry of that name. Throws std::runtime_error when that cannot be done.
  explicit PtyClock(unsigned comNumber);
  ~PtyClock();  // removes the entry and closes the pseudo-terminal
  PtyClock(const PtyClock&) = delete;
  PtyClock& operator=(const PtyClock&) = delete;

  const std::string& slavePath() const { return slavePath_; }
  const std::string& entryPath() const { return entryPath_; }
  int masterFd() const { return master_; }

  // True while some program holds the slave side open.
  bool slaveOpen() const;
  // Waits until the slave side is opened; false on time-out.
  bool waitUntilOpened(std::chrono::milliseconds timeout) const;
  // Waits until the slave side is closed again; false on time-out.
  bool waitUntilClosed(std::chrono::milliseconds timeout) const;

  // Sends bytes at once.
  void send(std::string_view bytes) const;
  // Sends bytes at line rate: perByte for each byte, as a clock on a 9600-baud line does
  // (about 1.04 ms a byte).
  void sendAtLineRate(std::string_view bytes, std::chrono::microseconds perByte) const;

  // What the link has written to the clock so far, waiting up to timeout for at least
  // minBytes.
  std::string receive(std::size_t minBytes, std::chrono::milliseconds timeout) const;

 private:
  int master_ = -1;
  std::string slavePath_;
  std::string entryPath_;
};

inline constexpr std::chrono::microseconds kLineRate{1042};  // 9600 baud, 10 bits a byte

}  // namespace quorclock
