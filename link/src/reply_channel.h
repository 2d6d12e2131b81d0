// The reply buffer of the command exchanges together with what the reader thread has seen of the
// line, kept under one lock: the host's wait for an answer always decides from one consistent view
// (what has arrived, whether a burst is being read, how long the line has been quiet), never from
// readings taken at different moments.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace quorlink {

// True when the bytes are exactly one whole answer of the kind awaited (an answer that tells its
// own length); a wait without one waits for the quiet line alone.
using AnswerComplete = bool (*)(const std::uint8_t* reply, std::size_t length);

struct ReplyWaitTimes {
  // Nothing has arrived and no burst is being read for this long: the clock did not answer.
  std::chrono::milliseconds silence{1500};
  // An answer that does not tell its length is taken once the line has been quiet this long
  // after its last burst (eleven checks of about 60 ms).
  std::chrono::milliseconds quiet{11 * 60};
};

class ReplyChannel {
 public:
  // A whole answer is taken once the reader has seen no byte for this long after its last byte:
  // at 9600 baud a byte takes about 1 ms, so bytes that follow the answer would have shown.
  static constexpr std::chrono::milliseconds kSettle{5};
  // The reply never grows past this (a race of 1001 pigeons is 62206 bytes); what would not fit
  // is dropped.
  static constexpr std::size_t kCapacity = 64 * 1024;

  // A byte on the line at 9600 baud: a start bit, eight data bits and a stop bit.
  static constexpr std::chrono::microseconds kByteOnLine{1042};

  // Host: empties the buffer before a command is written; awaited tells the whole answer to that
  // command when it tells its own length (none: only the quiet line ends the answer). With
  // quietLineOnly the wait ends on the quiet line even then.
  void reset(AnswerComplete awaited, bool quietLineOnly = false);
  // Host: count bytes were handed to the port; the clock has them only once they have crossed
  // the line, and only then does the wait for its answer begin to count the silence.
  void written(std::size_t count);
  std::vector<std::uint8_t> bytes() const;
  bool holdsBytes() const;
  // Reader: an answer that tells its length has begun and is not whole yet, so the next burst
  // goes on with it (the clock or its adapter paused 30 ms or more inside the answer).
  bool awaitsRest() const;

  // Reader: a burst starts; after every read of a burst whose bytes are watched as they come
  // (gotBytes: the read found bytes, of which the reply ones are given); the rest of a reply, if
  // any, and the end of the burst, in one step.
  void burstStarted();
  void lineRead(bool gotBytes, const std::uint8_t* reply, std::size_t length);
  void burstEnded(const std::uint8_t* reply, std::size_t length);

  // Host: waits for the answer to the command just written. True once an answer has arrived and
  // either it is the whole answer awaited and the line has settled after it, or the line has been
  // quiet for times.quiet after its last burst. False when nothing arrived for times.silence
  // after the command left the line, or once linkOpen is cleared.
  bool wait(const std::atomic<bool>& linkOpen, const ReplyWaitTimes& times);

 private:
  using Clock = std::chrono::steady_clock;
  void append(const std::uint8_t* data, std::size_t length);
  bool whole() const { return awaited_ != nullptr && awaited_(bytes_.data(), bytes_.size()); }
  bool endsWhole() const { return !quietLineOnly_ && whole(); }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::uint8_t> bytes_;
  AnswerComplete awaited_ = nullptr;
  bool quietLineOnly_ = false;
  bool burstOpen_ = false;
  bool settled_ = true;  // the line has been quiet for kSettle since the last byte read
  Clock::time_point lastBytes_{};
  Clock::time_point lastBurstEnd_{};
  Clock::time_point sendingUntil_{};  // when the bytes written so far have left the line
};

}  // namespace quorlink
