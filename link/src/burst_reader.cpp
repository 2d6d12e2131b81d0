#include "burst_reader.h"

#include <thread>
#include <vector>

namespace quorlink {

void runBurstReader(SerialPort& port, BurstSink& sink) {
  using Clock = std::chrono::steady_clock;
  std::vector<std::uint8_t> buffer(kBurstCapacity);
  while (sink.connected()) {
    if (port.waitForData() != SerialPort::Wait::Data) continue;
    const BurstTaking taking = sink.burstStarted();
    const std::chrono::milliseconds step = taking.watched ? kWatchStep : kBurstStep;
    std::size_t length = 0;
    std::size_t total = 0;
    Clock::time_point lastBytes = Clock::now();
    for (;;) {
      const std::size_t n = port.readQueued(buffer.data() + length, kBurstCapacity - length);
      total += n;
      if (n > 0) lastBytes = Clock::now();
      if (taking.live) {
        if (n > 0) sink.chunk(buffer.data(), n);
      } else {
        length += n;
        if (taking.watched) sink.burstSoFar(buffer.data(), length, n > 0);
      }
      std::this_thread::sleep_for(step);
      const bool full = !taking.live && length == kBurstCapacity;
      if (full || !sink.connected()) break;
      if (n == 0 && Clock::now() - lastBytes >= kBurstStep) break;
    }
    sink.burstEnded(taking.live ? nullptr : buffer.data(), taking.live ? total : length);
  }
}

}  // namespace quorlink
