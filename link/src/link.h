// The serial link: the one port of the library, its reader thread, the flags that say how bursts
// are taken, the reply buffer of the command exchanges, and the writes to the clock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

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
  std::atomic<bool> burstInProgress{false};  // a burst is being read
  std::atomic<std::uint32_t> quietCount{0};  // quiet checks since the last burst began
};

LinkFlags& linkFlags();

// openQuorConnection and closeQuorConnection.
bool openConnection(const char* portText);
void closeConnection();

// Writes bytes to the clock; false when the port is closed or refused them.
bool writeBlock(const std::uint8_t* data, std::size_t length);

// The reply buffer: what the clock answered to a command. It holds the largest answer a clock
// gives (a race of 1001 pigeons is 62206 bytes). In command mode, a burst that follows one cut at
// the burst capacity continues the answer, whatever its first byte.
inline constexpr std::size_t kReplyCapacity = 64 * 1024;
void resetReply();
void appendReply(const std::uint8_t* data, std::size_t length);
std::vector<std::uint8_t> replyBytes();

// Waits for the clock's answer: 1 once a reply has arrived and the line was quiet for eleven
// checks of about 60 ms; 0 after about 1.5 s without any answer (tolvexDialect is then cleared),
// or when the link closes.
bool waitForReply();

// The number of quiet checks that end the wait for an answer (11); tests shorten it.
void setReplyQuietChecks(std::uint32_t checks);

}  // namespace quorlink
