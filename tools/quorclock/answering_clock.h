// A clock that answers the link's commands from its data: the Quor dialect (">B", ">K" n, ">5" m,
// ">A", ">^", ">L") or the Tolvex dialect (framed requests, one record each). Bytes from the link
// are taken as arriving at line rate, answers are sent at line rate. A Tolvex clock announces
// itself with an opening frame every second while no session runs, the first one shortly after a
// session ends, so that the link's next exchange meets it ready.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "clock_data.h"
#include "pty_clock.h"

namespace quorclock {

enum class Dialect { Quor, Tolvex };

struct AnswerOptions {
  Dialect dialect = Dialect::Quor;
  bool silent = false;                    // never answers, never announces
  bool wrongCode = false;                 // Tolvex answers repeat another command code
  std::size_t cutAt = std::string::npos;  // answers cut to at most this many bytes
  // Answers longer than pauseAt bytes stop for pause after that many, then go on.
  std::size_t pauseAt = std::string::npos;
  std::chrono::milliseconds pause{0};
  std::chrono::microseconds perByte = kLineRate;
  std::chrono::milliseconds announceEvery{1000};
  std::chrono::milliseconds quietAfterSession{300};
};

// The clock's side of one command: how many bytes of the link's input it takes, and the answer.
struct Answer {
  std::size_t consumed = 0;
  std::optional<std::string> bytes;  // none: the command is not answered
  bool endsSession = false;          // Tolvex: the session is over
};

// The next command at the start of input; none while it is incomplete.
std::optional<Answer> answerQuor(std::string_view input, const ClockData& data);
std::optional<Answer> answerTolvex(std::string_view input, const ClockData& data, bool wrongCode);

// A Tolvex reply frame: 0x6C 0x21 0xCE, length, code, data, checksum.
std::string tolvexReply(std::uint8_t code, std::string_view data);
std::string tolvexOpeningFrame();

// Answers on a pseudo-terminal clock until stopped.
void serveCommands(const PtyClock& clock, const ClockData& data, const AnswerOptions& options,
                   const std::atomic<bool>& stop,
                   const std::function<void(std::string_view)>& heard);

// An answering clock on its own thread, for the tests and benchmarks: it publishes COM<n> and
// records every byte the link writes.
class AnsweringClock {
 public:
  AnsweringClock(unsigned comNumber, ClockData data, AnswerOptions options);
  ~AnsweringClock();
  AnsweringClock(const AnsweringClock&) = delete;
  AnsweringClock& operator=(const AnsweringClock&) = delete;

  std::string heard() const;
  void clearHeard();
  const PtyClock& pty() const { return clock_; }

 private:
  PtyClock clock_;
  ClockData data_;
  AnswerOptions options_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::string heard_;
  std::thread thread_;
};

}  // namespace quorclock
