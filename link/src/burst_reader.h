// The reader thread's loop: it waits for received bytes and collects them into bursts. A burst
// ends at the first 30 ms pause in which nothing new arrived, or when 40000 bytes are held. What a
// burst means (a reply, printer text) is the sink's business; the loop only measures time.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "serial_port.h"

namespace quorlink {

inline constexpr std::size_t kBurstCapacity = 40000;
inline constexpr std::chrono::milliseconds kBurstStep{30};

class BurstSink {
 public:
  virtual ~BurstSink() = default;
  // The loop runs, and a burst goes on, while this holds.
  virtual bool connected() const = 0;
  // A burst starts; inProgress marks the reading steps of a burst.
  virtual void burstStarted() = 0;
  virtual void burstInProgress(bool inProgress) = 0;
  // Asked at the start of a burst: take its bytes chunk by chunk as they are read, instead of as
  // one burst at its end. A live burst is not limited to 40000 bytes.
  virtual bool takesChunksLive() const = 0;
  virtual void chunk(const std::uint8_t* data, std::size_t length) = 0;
  // A burst ended; for a live burst data is null and length the number of bytes it had.
  virtual void burstEnded(const std::uint8_t* data, std::size_t length) = 0;
};

// Runs until sink.connected() no longer holds and the port is woken.
void runBurstReader(SerialPort& port, BurstSink& sink);

}  // namespace quorlink
