#include "pty_clock.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "port_names.h"

namespace quorclock {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::generic_category().message(errno));
}

}  // namespace

PtyClock::PtyClock(unsigned comNumber) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) fail("posix_openpt");
  slavePath_ = ::ptsname(master_);
  // Opening and closing the slave once makes the master report a hang-up until the next program
  // opens it, which is how a waiting clock sees the link open its port. The line is made raw now
  // (master and slave share one termios), so nothing is translated before the link sets it up.
  const int slave = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) fail("open " + slavePath_);
  termios line{};
  ::tcgetattr(slave, &line);
  ::cfmakeraw(&line);
  ::tcsetattr(slave, TCSANOW, &line);
  ::close(slave);

  const std::filesystem::path folder = quorlink::portsFolder();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  entryPath_ = (folder / ("COM" + std::to_string(comNumber))).string();
  std::filesystem::remove(entryPath_, error);
  std::filesystem::create_symlink(slavePath_, entryPath_, error);
  if (error) throw std::runtime_error("cannot publish " + entryPath_ + ": " + error.message());
}

PtyClock::~PtyClock() {
  std::error_code error;
  if (std::filesystem::read_symlink(entryPath_, error) == slavePath_) {
    std::filesystem::remove(entryPath_, error);
  }
  if (master_ >= 0) ::close(master_);
}

bool PtyClock::slaveOpen() const {
  pollfd master{master_, POLLIN, 0};
  return ::poll(&master, 1, 0) >= 0 && (master.revents & POLLHUP) == 0;
}

bool PtyClock::waitUntilOpened(std::chrono::milliseconds timeout) const {
  const auto deadline = Clock::now() + timeout;
  while (!slaveOpen()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

bool PtyClock::waitUntilClosed(std::chrono::milliseconds timeout) const {
  const auto deadline = Clock::now() + timeout;
  while (slaveOpen()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void PtyClock::send(std::string_view bytes) const {
  while (!bytes.empty()) {
    const ssize_t n = ::write(master_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) fail("write to " + slavePath_);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void PtyClock::sendAtLineRate(std::string_view bytes, std::chrono::microseconds perByte) const {
  // Bytes are sent as they fall due, in small writes, so that the pace holds on average without
  // a system call per byte.
  const auto start = Clock::now();
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const auto elapsed = Clock::now() - start;
    const std::size_t due = std::min(bytes.size(), static_cast<std::size_t>(elapsed / perByte) + 1);
    if (due > sent) {
      send(bytes.substr(sent, due - sent));
      sent = due;
    }
    std::this_thread::sleep_until(start + perByte * static_cast<long>(sent));
  }
}

std::string PtyClock::receive(std::size_t minBytes, std::chrono::milliseconds timeout) const {
  std::string received;
  const auto deadline = Clock::now() + timeout;
  char buffer[4096];
  while (received.size() < minBytes) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd master{master_, POLLIN, 0};
    if (left <= 0 || ::poll(&master, 1, static_cast<int>(left)) <= 0) break;
    if ((master.revents & POLLIN) == 0) break;
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    received.append(buffer, static_cast<std::size_t>(n));
  }
  return received;
}

}  // namespace quorclock
