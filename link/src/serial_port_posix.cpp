// The serial port on POSIX systems: termios in raw mode, poll() on the device and on a wake-up
// pipe in place of a wait for a port event that closing the port ends.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "port_names.h"
#include "serial_port.h"

namespace quorlink {

namespace {

// At 9600 baud a byte takes about 1.04 ms; a write may take twice that per byte, as on Windows.
constexpr int kWriteMillisecondsPerByte = 2;

bool configureLine(int fd) {
  termios line{};
  if (::tcgetattr(fd, &line) != 0) return false;
  ::cfmakeraw(&line);
  ::cfsetispeed(&line, B9600);
  ::cfsetospeed(&line, B9600);
  line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  line.c_cflag |= CS8 | CLOCAL | CREAD;
  line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  line.c_cc[VMIN] = 0;
  line.c_cc[VTIME] = 0;
  return ::tcsetattr(fd, TCSANOW, &line) == 0;
}

// Modem lines: a pseudo-terminal has none and refuses the call, which is no error.
void setModemLines(int fd, bool raised) {
  int lines = TIOCM_DTR | TIOCM_RTS;
  (void)::ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &lines);
}

class PosixSerialPort final : public SerialPort {
 public:
  PosixSerialPort(int fd, int wakeRead, int wakeWrite)
      : fd_(fd), wakeRead_(wakeRead), wakeWrite_(wakeWrite) {}

  ~PosixSerialPort() override {
    setModemLines(fd_, false);
    ::tcflush(fd_, TCIOFLUSH);
    ::close(fd_);
    ::close(wakeRead_);
    ::close(wakeWrite_);
  }

  Wait waitForData() override {
    pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {fd_, POLLIN, 0}};
    // A lost device reports a hang-up on every poll; it is no longer watched, so that the wait
    // blocks until the close instead of spinning.
    const nfds_t count = lost_ ? 1 : 2;
    while (::poll(fds, count, -1) < 0) {
      if (errno != EINTR) {
        lost_ = true;
        return Wait::Lost;
      }
    }
    if (fds[0].revents != 0) {
      char drained[64];
      while (::read(wakeRead_, drained, sizeof drained) > 0) {
      }
      return Wait::Woken;
    }
    const bool hungUp = (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    if (hungUp && queuedBytes() == 0) {
      lost_ = true;
      return Wait::Lost;
    }
    return Wait::Data;
  }

  void wake() override {
    const char byte = 1;
    (void)!::write(wakeWrite_, &byte, 1);
  }

  std::size_t readQueued(std::uint8_t* buffer, std::size_t maxBytes) override {
    const std::size_t count = std::min(maxBytes, queuedBytes());
    if (count == 0) return 0;
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, count);
      if (n > 0) return static_cast<std::size_t>(n);
      if (n < 0 && errno == EINTR) continue;
      return 0;
    }
  }

  bool write(const std::uint8_t* data, std::size_t length) override {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(kWriteMillisecondsPerByte * length + 100);
    std::size_t done = 0;
    while (done < length) {
      const ssize_t n = ::write(fd_, data + done, length - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN) return false;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      pollfd out{fd_, POLLOUT, 0};
      (void)::poll(&out, 1, static_cast<int>(left.count()));
    }
    return true;
  }

 private:
  std::size_t queuedBytes() const {
    int queued = 0;
    return ::ioctl(fd_, FIONREAD, &queued) == 0 && queued > 0 ? static_cast<std::size_t>(queued)
                                                              : 0;
  }

  int fd_;
  int wakeRead_;
  int wakeWrite_;
  bool lost_ = false;
};

}  // namespace

std::unique_ptr<SerialPort> openSerialPort(unsigned portNumber) {
  const std::string device = portDevicePath(portNumber);
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  // Not shared: a second program cannot open the port while the link holds it.
  if (::ioctl(fd, TIOCEXCL) != 0 || !::isatty(fd)) {
    ::close(fd);
    return nullptr;
  }
  ::tcflush(fd, TCIOFLUSH);
  int wake[2];
  if (!configureLine(fd) || ::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
    ::close(fd);
    return nullptr;
  }
  setModemLines(fd, true);
  return std::make_unique<PosixSerialPort>(fd, wake[0], wake[1]);
}

}  // namespace quorlink
