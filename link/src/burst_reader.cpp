#include "burst_reader.h"

#include <thread>
#include <vector>

namespace quorlink {

void runBurstReader(SerialPort& port, BurstSink& sink) {
  std::vector<std::uint8_t> buffer(kBurstCapacity);
  while (sink.connected()) {
    if (port.waitForData() != SerialPort::Wait::Data) continue;
    sink.burstStarted();
    const bool live = sink.takesChunksLive();
    std::size_t length = 0;
    std::size_t total = 0;
    std::size_t n = 0;
    do {
      sink.burstInProgress(true);
      n = port.readQueued(buffer.data() + length, kBurstCapacity - length);
      total += n;
      if (live && n > 0) {
        sink.chunk(buffer.data(), n);
      } else {
        length += n;
      }
      std::this_thread::sleep_for(kBurstStep);
    } while (n > 0 && sink.connected());
    sink.burstInProgress(false);
    if (total == 0) continue;
    sink.burstEnded(live ? nullptr : buffer.data(), live ? total : length);
  }
}

}  // namespace quorlink
