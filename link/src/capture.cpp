#include "capture.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "held_lines.h"
#include "library_thread.h"
#include "link.h"
#include "printing.h"
#include "status_window.h"

namespace quorlink::capture {

namespace {

constexpr std::size_t kLineCapacity = 132;
constexpr std::size_t kHostLineLength = QUORLINK_HANDED_LINE_LENGTH;

struct CaptureState {
  // The line being assembled. The reader thread writes it; the host copies it with getUpdateData
  // from its own thread, so both sides hold lineMutex.
  std::mutex lineMutex;
  char lineBuffer[kLineCapacity + 1] = {};
  std::size_t lineLength = 0;
  // The line being handed to the host: the update procedure gets its address, and getUpdateData
  // copies it while handing is set (under lineMutex).
  char handedLine[kHostLineLength + 1] = {};
  bool handing = false;

  std::atomic<QuorUpdateProc> updateProc{nullptr};
  std::atomic<bool> updateRegistered{false};
  std::atomic<bool> statusWindowShown{false};
  std::atomic<std::uint32_t> idleCount{0};

  // Finished lines waiting for the printer choice or for the host (holdMutex). printerChosen is
  // clear while openQuorKVT lets the user choose the printer.
  std::mutex holdMutex;
  HeldLines held{QUORLINK_HELD_LINES};
  std::atomic<bool> printerChosen{true};

  // One thread at a time prints and hands over held lines, so that they go out in order: the
  // reader thread as lines finish, the idle monitor for lines that were waiting (under
  // holdMutex). The reader waits while the monitor delivers, so that a line has gone out when the
  // reader moves on, but not once the link is closing: the monitor may be in the update
  // procedure, closing the link, and waiting for the reader. The monitor never waits (the reader
  // may be closing capture from the update procedure and waiting for it); it leaves the lines to
  // the deliverer.
  bool delivering = false;
  std::thread::id deliverer;
  std::condition_variable deliveryDone;

  // Reader thread only: bytes of an escape sequence still to drop within the current burst, and
  // whether the burst held a form feed.
  int escapeLeft = 0;
  bool formFeedInBurst = false;

  // The reader thread and the idle monitor both print; one at a time.
  std::mutex printMutex;

  // The idle monitor runs while capture is on; the close that switches capture off wakes it and
  // waits for its end. It wakes early when held lines may go out (the printer chosen, the update
  // procedure registered).
  // A monitor runs while capture is on and it is the current generation: one let go by a close
  // from the update procedure (on the monitor's own thread) ends even if capture is switched on
  // again from there, since that starts a monitor of its own.
  std::mutex monitorMutex;
  bool monitorRunning = false;
  std::uint64_t monitorGeneration = 0;
  bool monitorWakeRequested = false;
  std::condition_variable monitorWake;
  std::atomic<int> idleTickMilliseconds{100};
  LibraryThread monitor;  // the host's thread starts and finishes it
};

CaptureState& state() {
  static auto* capture = new CaptureState;
  return *capture;
}

bool captureOn() {
  const LinkFlags& f = linkFlags();
  return f.captureQuor || f.captureTolvex;
}

void wakeMonitor() {
  CaptureState& s = state();
  {
    std::lock_guard lock(s.monitorMutex);
    s.monitorWakeRequested = true;
  }
  s.monitorWake.notify_all();
}

// The end of a printout that a form feed asks for: logo, page and document ended.
void endPrintout(Printing& p) {
  PrintLayout& layout = p.layout();
  p.drawLogo();
  p.endPage();
  p.endDocument();
  layout.documentOpen = false;
  layout.pageLineCount = 0;
  p.backToTopMargin();
}

void print(const HeldLine& line) {
  CaptureState& s = state();
  std::lock_guard print(s.printMutex);
  Printing& p = printing();
  PrintLayout& layout = p.layout();
  if (!layout.documentOpen) {
    p.startDocument();
    layout.documentOpen = true;
  }
  if (layout.pageLineCount == 0) p.startPage();
  if (line.end != LineEnd::FormFeed && !s.updateRegistered && !s.statusWindowShown) {
    showStatusWindow();
    s.statusWindowShown = true;
  }
  p.printLine(line.text);
  ++layout.pageLineCount;
  layout.currentY += layout.lineHeight;
  if (line.end == LineEnd::FormFeed) {
    endPrintout(p);
  } else if (layout.pageLineCount == layout.linesPerPage) {
    // A full page is closed at once, so that no page holds more than 66 lines.
    layout.pageLineCount = 0;
    p.backToTopMargin();
    p.drawLogo();
    p.endPage();
  }
}

void hand(const std::string& text) {
  CaptureState& s = state();
  {
    std::lock_guard line(s.lineMutex);
    std::memset(s.handedLine, 0, sizeof s.handedLine);
    text.copy(s.handedLine, kHostLineLength);
    s.handing = true;
  }
  if (s.updateRegistered) {
    if (QuorUpdateProc proc = s.updateProc) proc(s.handedLine);
  }
  std::lock_guard line(s.lineMutex);
  s.handing = false;
  std::memset(s.handedLine, 0, sizeof s.handedLine);
}

// Prints and hands over what is held, as far as the printer choice and the registration allow.
void deliverHeld(bool waitForDeliverer) {
  CaptureState& s = state();
  {
    std::unique_lock hold(s.holdMutex);
    if (waitForDeliverer) {
      s.deliveryDone.wait(hold, [&] { return !s.delivering || !linkFlags().linkOpen; });
    }
    if (s.delivering) return;
    s.delivering = true;
    s.deliverer = std::this_thread::get_id();
  }
  // Whatever happens to a line, this thread stops delivering, so that the others go on.
  struct DeliveryEnd {
    CaptureState& s;
    ~DeliveryEnd() {
      {
        std::lock_guard hold(s.holdMutex);
        if (s.deliverer == std::this_thread::get_id()) {
          s.delivering = false;
          s.deliverer = std::thread::id();
        }
      }
      s.deliveryDone.notify_all();
    }
  } end{s};
  for (;;) {
    std::optional<HeldLine> toPrint;
    std::optional<std::string> toHand;
    {
      std::lock_guard hold(s.holdMutex);
      if (s.printerChosen) toPrint = s.held.nextToPrint();
      if (!toPrint && s.updateRegistered) toHand = s.held.nextToHand();
      if (!toPrint && !toHand) {
        // Decided under the lock that adds lines: a line added after this is delivered by the
        // thread that adds it.
        s.delivering = false;
        s.deliverer = std::thread::id();
        return;
      }
    }
    if (toPrint) {
      print(*toPrint);
    } else {
      hand(*toHand);
    }
  }
}

void endLine(LineEnd kind) {
  CaptureState& s = state();
  HeldLine line{std::string(), kind};
  {
    std::lock_guard lock(s.lineMutex);
    line.text.assign(s.lineBuffer);
    std::memset(s.lineBuffer, 0, sizeof s.lineBuffer);
    s.lineLength = 0;
  }
  {
    std::lock_guard hold(s.holdMutex);
    s.held.add(std::move(line));
  }
  deliverHeld(true);
}

void appendToLine(char c) {
  CaptureState& s = state();
  bool full = false;
  {
    std::lock_guard line(s.lineMutex);
    s.lineBuffer[s.lineLength++] = c;
    full = s.lineLength == kLineCapacity;
  }
  if (full) endLine(LineEnd::FullLine);
}

// After more than 50 quiet ticks, the page with lines on it and its document are finished. The
// quiet time is judged under the print lock, together with the page it closes: a printout that
// resumes between the two cannot have its page closed under it.
void finishIdlePrintout() {
  CaptureState& s = state();
  std::lock_guard print(s.printMutex);
  Printing& p = printing();
  PrintLayout& layout = p.layout();
  if (s.idleCount <= 50 || layout.pageLineCount == 0) return;
  p.drawLogo();
  p.endPage();
  layout.pageLineCount = 0;
  p.backToTopMargin();
  if (layout.documentOpen) {
    p.endDocument();
    layout.documentOpen = false;
  }
  s.idleCount = 0;
}

void runIdleMonitor(std::uint64_t generation) {
  CaptureState& s = state();
  for (;;) {
    {
      std::lock_guard lock(s.monitorMutex);
      if (generation != s.monitorGeneration) return;
      if (!captureOn()) {
        s.monitorRunning = false;
        return;
      }
    }
    // A tick whose printing or hand-over failed (no memory left) is tried again at the next one.
    try {
      deliverHeld(false);
      finishIdlePrintout();
    } catch (...) {
    }
    std::unique_lock lock(s.monitorMutex);
    const bool woken =
        s.monitorWake.wait_for(lock, std::chrono::milliseconds(s.idleTickMilliseconds.load()),
                               [&] { return s.monitorWakeRequested; });
    s.monitorWakeRequested = false;
    if (!woken) ++s.idleCount;
  }
}

void startIdleMonitor() {
  CaptureState& s = state();
  std::uint64_t generation = 0;
  {
    std::lock_guard lock(s.monitorMutex);
    if (s.monitorRunning) return;
    s.monitorRunning = true;
    generation = ++s.monitorGeneration;
  }
  // A monitor that has just seen capture off is still ending: start() waits for it first.
  if (!s.monitor.start([generation] { runIdleMonitor(generation); })) {
    {
      std::lock_guard lock(s.monitorMutex);
      s.monitorRunning = false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }
}

void endPrinting() {
  CaptureState& s = state();
  bool documentWasOpen = false;
  {
    std::lock_guard print(s.printMutex);
    documentWasOpen = printing().end();
  }
  if (documentWasOpen && !s.updateRegistered) {
    destroyStatusWindow();
    s.statusWindowShown = false;
  }
}

}  // namespace

void linkClosing() {
  CaptureState& s = state();
  { std::lock_guard hold(s.holdMutex); }
  s.deliveryDone.notify_all();
}

void endIdleMonitorIfOff() {
  if (captureOn()) return;
  CaptureState& s = state();
  {
    std::lock_guard lock(s.monitorMutex);
    ++s.monitorGeneration;
    s.monitorRunning = false;
  }
  wakeMonitor();
  s.monitor.finish();
}

bool open(bool tolvex, bool ask) {
  LinkFlags& f = linkFlags();
  if (!f.linkOpen) return false;
  CaptureState& s = state();
  {
    // A line left unfinished by an earlier capture does not start this printout's first line.
    std::lock_guard line(s.lineMutex);
    std::memset(s.lineBuffer, 0, sizeof s.lineBuffer);
    s.lineLength = 0;
  }
  {
    std::lock_guard hold(s.holdMutex);
    s.held.clear();
    s.printerChosen = false;
  }
  (tolvex ? f.captureTolvex : f.captureQuor) = true;
  startIdleMonitor();
  const char* documentName = tolvex ? "quorKVTtolvex" : "quorKVT";
  // The user may take a while in the printer dialog; meanwhile the reader thread goes on reading
  // and holds the lines that finish.
  std::unique_ptr<PrintDevice> device = currentPrinterBackend().choose(documentName, ask);
  {
    std::lock_guard print(s.printMutex);
    printing().setup(std::move(device), documentName);
  }
  s.printerChosen = true;
  wakeMonitor();
  return true;
}

void close(bool tolvex) {
  LinkFlags& f = linkFlags();
  CaptureState& s = state();
  if (tolvex) {
    f.captureTolvex = false;
  } else {
    f.captureQuor = false;
    s.updateRegistered = false;
  }
  {
    // A line being printed or handed over on another thread goes out before the printer goes.
    std::unique_lock hold(s.holdMutex);
    s.held.clear();
    if (s.deliverer != std::this_thread::get_id()) {
      s.deliveryDone.wait(hold, [&] { return !s.delivering; });
    }
  }
  endPrinting();
  endIdleMonitorIfOff();
}

bool documentOpen() {
  std::lock_guard lock(state().printMutex);
  return printing().layout().documentOpen;
}

bool registerUpdateProc(QuorUpdateProc proc) {
  if (proc == nullptr) return false;
  CaptureState& s = state();
  s.updateProc = proc;
  s.updateRegistered = true;
  s.statusWindowShown = false;
  wakeMonitor();
  return true;
}

void copyLine(char* buffer) {
  CaptureState& s = state();
  std::lock_guard line(s.lineMutex);
  const char* source = s.handing ? s.handedLine : s.lineBuffer;
  // A line that has just reached its 132 characters is ended by the reader a moment later; the
  // host's buffer holds 132 bytes with the zero, so at most 131 characters go.
  const std::size_t length =
      std::min<std::size_t>(std::strlen(source), QUORLINK_LINE_BUFFER_SIZE - 1);
  std::memcpy(buffer, source, length);
  buffer[length] = '\0';
}

void takePrinterText(const std::uint8_t* data, std::size_t length) {
  CaptureState& s = state();
  s.idleCount = 0;
  raiseStatusWindow();
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t byte = data[i];
    if (s.escapeLeft > 0) {
      --s.escapeLeft;
      continue;
    }
    switch (byte) {
      case 0x0C:
        endLine(LineEnd::FormFeed);
        s.formFeedInBurst = true;
        break;
      case 0x0D:
        endLine(LineEnd::CarriageReturn);
        break;
      case 0x1B:
        s.escapeLeft = 2;
        break;
      default:
        if (byte >= 0x20 && byte <= 0x7F) appendToLine(static_cast<char>(byte));
        break;
    }
  }
}

void burstEnded() {
  CaptureState& s = state();
  // The two bytes after an escape are not looked for in the next burst.
  s.escapeLeft = 0;
  if (s.formFeedInBurst && !s.updateRegistered) {
    destroyStatusWindow();
    s.statusWindowShown = false;
  }
  s.formFeedInBurst = false;
}

void setIdleTick(std::chrono::milliseconds tick) {
  state().idleTickMilliseconds = static_cast<int>(tick.count());
}

}  // namespace quorlink::capture
