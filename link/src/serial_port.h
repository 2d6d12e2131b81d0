// The serial port as the link sees it: open at 9600 baud 8N1 with DTR and RTS raised, wait for
// received bytes, read what is queued, write, close. One implementation per platform
// (serial_port_posix.cpp with termios, serial_port_win32.cpp with overlapped I/O); nothing above
// this interface sees a file descriptor or a HANDLE.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quorlink {

class SerialPort {
 public:
  virtual ~SerialPort() = default;  // drops DTR, purges both queues and closes the device

  enum class Wait {
    Data,   // bytes are queued
    Woken,  // wake() was called
    Lost,   // the device hung up or vanished; only wake() ends the next wait
  };
  // Blocks until bytes arrive, the device is lost, or another thread calls wake().
  virtual Wait waitForData() = 0;

  // Ends a waitForData() in progress or the next one; callable from any thread.
  virtual void wake() = 0;

  // Reads at most maxBytes of what is already queued, without waiting. 0 when nothing is queued or
  // the device failed.
  virtual std::size_t readQueued(std::uint8_t* buffer, std::size_t maxBytes) = 0;

  // Writes all bytes; false when the device refused them or did not take them in time.
  virtual bool write(const std::uint8_t* data, std::size_t length) = 0;
};

// Opens COM<portNumber> for reading and writing, exclusively, and applies the line settings.
// nullptr when the device cannot be opened or configured.
std::unique_ptr<SerialPort> openSerialPort(unsigned portNumber);

}  // namespace quorlink
