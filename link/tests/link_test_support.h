// What the link's tests share: a clock on a pseudo-terminal published in a private ports folder,
// a printer that records what it is asked to draw, and a host that collects its lines.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "print_device.h"
#include "pty_clock.h"
#include "quorlink.h"

namespace quorlink::testing {

// Every test program publishes its clocks in a ports folder of its own.
const std::string& testPortsFolder();

// Records every drawing call as a line of text ("text 0 180 AB", "logo 45 90 900x180", ...).
class RecordingPrinter final : public PrinterBackend {
 public:
  explicit RecordingPrinter(PrintDevice::Extent letterA = {50, 100}) : letterA_(letterA) {}
  ~RecordingPrinter() override;
  std::unique_ptr<PrintDevice> choose(const std::string& documentName, bool ask) override;

  std::vector<std::string> calls() const;
  void clear();
  void record(std::string call);
  bool canCopyBitmaps = true;
  PrintDevice::Extent letterA() const { return letterA_; }

 private:
  PrintDevice::Extent letterA_;
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

// The host's side of print capture: an update procedure that fetches every line with
// getUpdateData, as the desktop program does.
class HostLines {
 public:
  HostLines();   // registers the update procedure
  ~HostLines();  // closes capture and connection
  std::vector<std::string> lines() const;
  // Waits until count lines have arrived; false on time-out.
  bool waitFor(std::size_t count, std::chrono::milliseconds timeout) const;
  void reregister();

 private:
  static void QUORLINK_CALL onLine(const char* line);
};

}  // namespace quorlink::testing
