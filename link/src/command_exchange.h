// The command exchanges with a clock, on the host's thread: command mode on, one or more requests
// each followed by the wait for the clock's answer, command mode off. While command mode is on,
// the reader thread puts the clock's answers into the reply buffer instead of print capture.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "reply_channel.h"

namespace quorlink::command {

// Quor command mode: refused (false) when the link is not open or a printed document is open.
bool enterQuor();
// Tolvex command mode: refused when the link is not open.
bool enterTolvex();
void leave();

// Writes bytes that the clock does not answer; what the reply buffer holds stays. False when the
// port refused them.
bool write(std::span<const std::uint8_t> bytes);
// Writes bytes that the clock answers: the reply buffer is cleared first, so that an answer that
// comes at once is kept. awaited tells the whole answer, when the answer tells its length.
bool post(std::span<const std::uint8_t> bytes, AnswerComplete awaited = nullptr);
// post, then the wait for the answer: false when nothing was written or nothing came in time.
bool ask(std::span<const std::uint8_t> bytes, AnswerComplete awaited = nullptr);
std::vector<std::uint8_t> answer();

// Leaves command mode when it goes out of scope, whatever way the exchange ends.
class Session {
 public:
  Session() = default;
  ~Session() { leave(); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
};

}  // namespace quorlink::command
