#include "capture.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

#include "link.h"
#include "printing.h"
#include "status_window.h"

namespace quorlink::capture {

namespace {

constexpr std::size_t kLineCapacity = 132;
constexpr std::size_t kHostLineLength = 75;

struct CaptureState {
  // The line being assembled. The reader thread writes it; the host copies it with getUpdateData
  // from its own thread, so both sides hold lineMutex, except while the update procedure runs:
  // the reader then leaves the line alone.
  std::mutex lineMutex;
  char lineBuffer[kLineCapacity + 1] = {};
  std::size_t lineLength = 0;

  std::atomic<QuorUpdateProc> updateProc{nullptr};
  std::atomic<bool> updateRegistered{false};
  std::atomic<bool> statusWindowShown{false};
  std::atomic<std::uint32_t> idleCount{0};

  // Reader thread only: bytes of an escape sequence still to drop within the current burst, and
  // whether the burst held a form feed.
  int escapeLeft = 0;
  bool formFeedInBurst = false;

  // The reader thread and the idle monitor both print; one at a time.
  std::mutex printMutex;

  // The idle monitor runs detached: it ends by itself once capture is off.
  std::mutex monitorMutex;
  bool monitorRunning = false;
  std::atomic<int> idleTickMilliseconds{100};
};

CaptureState& state() {
  static auto* capture = new CaptureState;
  return *capture;
}

bool captureOn() {
  const LinkFlags& f = linkFlags();
  return f.captureQuor || f.captureTolvex;
}

enum class LineEnd { CarriageReturn, FullLine, FormFeed };

void endLine(LineEnd kind) {
  CaptureState& s = state();
  std::string text;
  {
    std::lock_guard line(s.lineMutex);
    text.assign(s.lineBuffer);
  }
  {
    std::lock_guard print(s.printMutex);
    Printing& p = printing();
    PrintLayout& layout = p.layout();
    if (!layout.documentOpen) {
      p.startDocument();
      layout.documentOpen = true;
    }
    if (layout.pageLineCount == 0) p.startPage();
    if (kind != LineEnd::FormFeed && !s.updateRegistered && !s.statusWindowShown) {
      showStatusWindow();
      s.statusWindowShown = true;
    }
    p.printLine(text);
    ++layout.pageLineCount;
    layout.currentY += layout.lineHeight;
    // A full page is closed at once, so that no page holds more than 66 lines.
    if (layout.pageLineCount == layout.linesPerPage) {
      layout.pageLineCount = 0;
      p.backToTopMargin();
      p.drawLogo();
      p.endPage();
    }
  }
  {
    std::lock_guard line(s.lineMutex);
    s.lineBuffer[kHostLineLength] = '\0';
  }
  if (s.updateRegistered) {
    if (QuorUpdateProc proc = s.updateProc) proc(s.lineBuffer);
  }
  std::lock_guard line(s.lineMutex);
  std::memset(s.lineBuffer, 0, sizeof s.lineBuffer);
  s.lineLength = 0;
}

void endPrintout() {
  CaptureState& s = state();
  std::lock_guard print(s.printMutex);
  Printing& p = printing();
  PrintLayout& layout = p.layout();
  p.drawLogo();
  p.endPage();
  p.endDocument();
  layout.documentOpen = false;
  layout.pageLineCount = 0;
  p.backToTopMargin();
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

void runIdleMonitor() {
  CaptureState& s = state();
  for (;;) {
    {
      std::lock_guard lock(s.monitorMutex);
      if (!captureOn()) {
        s.monitorRunning = false;
        return;
      }
    }
    {
      // The quiet time is judged under the print lock, together with the page it closes: a
      // printout that resumes between the two cannot have its page closed under it.
      std::lock_guard print(s.printMutex);
      Printing& p = printing();
      PrintLayout& layout = p.layout();
      if (s.idleCount > 50 && layout.pageLineCount != 0) {
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
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(s.idleTickMilliseconds.load()));
    ++s.idleCount;
  }
}

void startIdleMonitor() {
  CaptureState& s = state();
  std::unique_lock lock(s.monitorMutex);
  if (s.monitorRunning) return;
  try {
    std::thread(runIdleMonitor).detach();
    s.monitorRunning = true;
  } catch (const std::system_error&) {
    lock.unlock();
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
  (tolvex ? f.captureTolvex : f.captureQuor) = true;
  startIdleMonitor();
  const char* documentName = tolvex ? "quorKVTtolvex" : "quorKVT";
  // The printer is chosen (perhaps in a dialog) before the print lock is taken.
  std::unique_ptr<PrintDevice> device = currentPrinterBackend().choose(documentName, ask);
  std::lock_guard print(s.printMutex);
  printing().setup(std::move(device), documentName);
  return true;
}

void close(bool tolvex) {
  LinkFlags& f = linkFlags();
  if (tolvex) {
    f.captureTolvex = false;
  } else {
    f.captureQuor = false;
    state().updateRegistered = false;
  }
  endPrinting();
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
  return true;
}

void copyLine(char* buffer) {
  CaptureState& s = state();
  std::lock_guard line(s.lineMutex);
  std::memcpy(buffer, s.lineBuffer, std::strlen(s.lineBuffer) + 1);
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
        endPrintout();
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
