// The serial link: the one port of the library, its reader thread, the flags that say how bursts
// are taken, the reply buffer of the command exchanges, and the writes to the clock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "reply_channel.h"

namespace quorlink {

// Shared between the host's thread and the reader thread; each is written by one side and read by
// the other.
struct LinkFlags {
  std::atomic<bool> linkOpen{false};          // the link is usable
  std::atomic<bool> connectionOpened{false};  // closeQuorConnection closes the port only then
  std::atomic<bool> commandMode{false};       // bursts that look like replies are replies
  std::atomic<bool> tolvexDialect{false};    // the command exchange is framed; a time-out clears it
  std::atomic<bool> captureQuor{false};      // bursts are printer text of a Quor clock
  std::atomic<bool> captureTolvex{false};    // bursts are framed printer text of a Tolvex clock
};

LinkFlags& linkFlags();

// openQuorConnection and closeQuorConnection.
bool openConnection(const char* portText);
void closeConnection();

// Writes bytes to the clock; false when the port is closed or refused them.
bool writeBlock(const std::uint8_t* data, std::size_t length);

// The reply buffer: what the clock answered to a command. It is emptied before each command,
// with the whole answer awaited when that answer tells its length. In command mode, a burst that
// follows one cut at the burst capacity, or the unfinished part of an answer that tells its
// length, continues the answer, whatever its first byte.
void resetReply(AnswerComplete awaited = nullptr);
std::vector<std::uint8_t> replyBytes();

// Waits for the clock's answer to the command just written: 1 once a reply has arrived and either
// it is the whole answer awaited and the line settled after it, or the line was quiet for eleven
// checks of about 60 ms; 0 after about 1.5 s without any answer once the command has left the
// line (tolvexDialect is then cleared), or when the link closes. With QUORLINK_REPLY_WAIT=quiet
// in the environment no wait ends on an answer's length: each waits for the quiet line.
bool waitForReply();

}  // namespace quorlink
