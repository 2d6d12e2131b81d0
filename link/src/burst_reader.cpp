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
    // The burst is handed on before it is marked as ended, so that a wait for an answer never
    // sees a quiet line with the answer not yet delivered.
    if (total > 0) sink.burstEnded(live ? nullptr : buffer.data(), live ? total : length);
    sink.burstInProgress(false);
  }
}

}  // namespace quorlink
