// The reader thread's loop: it waits for received bytes and collects them into bursts. A burst
// ends at the first 30 ms in which nothing new arrived, or when 40000 bytes are held. What a burst
// means (a reply, printer text) is the sink's business; the loop only measures time.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "serial_port.h"

namespace quorlink {

inline constexpr std::size_t kBurstCapacity = 40000;
inline constexpr std::chrono::milliseconds kBurstStep{30};
// How often a watched burst is read: a byte takes about 1 ms at 9600 baud.
inline constexpr std::chrono::milliseconds kWatchStep{1};

// How the bytes of a burst are taken, as the sink asks when the burst starts.
struct BurstTaking {
  // Handed on chunk by chunk as they are read (a printout shown as it arrives); such a burst is
  // not limited to 40000 bytes.
  bool live = false;
  // Read every millisecond instead of every 30 ms, with the burst so far shown to the sink after
  // every read, so that a wait for an answer sees each byte as it arrives.
  bool watched = false;
};

class BurstSink {
 public:
  virtual ~BurstSink() = default;
  // The loop runs, and a burst goes on, while this holds.
  virtual bool connected() const = 0;
  virtual BurstTaking burstStarted() = 0;
  // A live burst: the bytes just read.
  virtual void chunk(const std::uint8_t* data, std::size_t length) = 0;
  // A watched burst, after every read: the burst so far, and whether the read found bytes.
  virtual void burstSoFar(const std::uint8_t* data, std::size_t length, bool gotBytes) = 0;
  // Every burst ends with this call; for a live burst data is null and length the number of bytes
  // it had.
  virtual void burstEnded(const std::uint8_t* data, std::size_t length) = 0;
};

// Runs until sink.connected() no longer holds and the port is woken.
void runBurstReader(SerialPort& port, BurstSink& sink);

}  // namespace quorlink
