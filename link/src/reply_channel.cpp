#include "reply_channel.h"

#include <algorithm>

namespace quorlink {

namespace {

// How often the wait looks at the link's open flag when nothing else wakes it.
constexpr std::chrono::milliseconds kPoll{10};

}  // namespace

void ReplyChannel::reset(AnswerComplete awaited, bool quietLineOnly) {
  std::lock_guard lock(mutex_);
  bytes_.clear();
  awaited_ = awaited;
  quietLineOnly_ = quietLineOnly;
}

void ReplyChannel::written(std::size_t count) {
  std::lock_guard lock(mutex_);
  const auto onLine = std::chrono::duration_cast<Clock::duration>(kByteOnLine * count);
  sendingUntil_ = std::max(sendingUntil_, Clock::now()) + onLine;
}

std::vector<std::uint8_t> ReplyChannel::bytes() const {
  std::lock_guard lock(mutex_);
  return bytes_;
}

bool ReplyChannel::holdsBytes() const {
  std::lock_guard lock(mutex_);
  return !bytes_.empty();
}

bool ReplyChannel::awaitsRest() const {
  std::lock_guard lock(mutex_);
  return awaited_ != nullptr && !bytes_.empty() && !whole();
}

void ReplyChannel::append(const std::uint8_t* data, std::size_t length) {
  const std::size_t room = kCapacity - std::min(kCapacity, bytes_.size());
  bytes_.insert(bytes_.end(), data, data + std::min(length, room));
}

void ReplyChannel::burstStarted() {
  {
    std::lock_guard lock(mutex_);
    burstOpen_ = true;
    settled_ = false;
    lastBytes_ = Clock::now();
  }
  changed_.notify_all();
}

void ReplyChannel::lineRead(bool gotBytes, const std::uint8_t* reply, std::size_t length) {
  {
    std::lock_guard lock(mutex_);
    const Clock::time_point now = Clock::now();
    if (gotBytes) {
      append(reply, length);
      lastBytes_ = now;
      settled_ = false;
    } else if (settled_ || now - lastBytes_ < kSettle) {
      return;  // nothing new for the wait
    } else {
      settled_ = true;
    }
  }
  changed_.notify_all();
}

void ReplyChannel::burstEnded(const std::uint8_t* reply, std::size_t length) {
  {
    std::lock_guard lock(mutex_);
    append(reply, length);
    burstOpen_ = false;
    settled_ = true;  // a burst ends only after 30 ms without a byte
    lastBurstEnd_ = Clock::now();
  }
  changed_.notify_all();
}

bool ReplyChannel::wait(const std::atomic<bool>& linkOpen, const ReplyWaitTimes& times) {
  std::unique_lock lock(mutex_);
  const Clock::time_point start = std::max(Clock::now(), sendingUntil_);
  while (linkOpen) {
    const Clock::time_point now = Clock::now();
    Clock::time_point next = now + kPoll;
    if (bytes_.empty()) {
      if (!burstOpen_) {
        if (now - start >= times.silence) return false;
        next = std::min(next, start + times.silence);
      }
    } else {
      if (settled_ && endsWhole()) return true;
      if (!burstOpen_) {
        if (now - lastBurstEnd_ >= times.quiet) return true;
        next = std::min(next, lastBurstEnd_ + times.quiet);
      }
    }
    changed_.wait_until(lock, next);
  }
  return false;
}

}  // namespace quorlink
