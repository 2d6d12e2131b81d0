// A printout of 2000 pigeon lines played at line rate into the capture window, offscreen, with the
// real link library over a pseudo-terminal: the time from the clock's last CR to the last line
// shown in the capture text, and the user-interface thread's longest stall while lines arrive
// (the longest gap between the turns of a 1 ms timer, less that 1 ms).
// Run: build/bin/capture_window_bench [lines]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app_state.h"
#include "capture_text.h"
#include "databases.h"
#include "datos_concur.h"
#include "frm_kvt_monitor.h"
#include "link_binding.h"
#include "printouts.h"
#include "pty_clock.h"
#include "startup.h"
#include "storing_rules.h"

namespace {

using Clock = std::chrono::steady_clock;

// The demo basketing list's head, then count pigeon lines.
std::vector<std::string> printoutOf(int count) {
  std::vector<std::string> lines = kvt::testing::printedLines("basketing");
  lines.resize(21);
  for (int i = 1; i <= count; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, " %-3d|ES-09-%07dM |%010d|", i, 1000000 + i, i);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  QTemporaryDir home;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
  qputenv("CUPS_SERVER", (home.path() + "/no-cups").toLocal8Bit());  // captured, not printed
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QuorKVT"));
  if (const QString error = kvt::startUp(home.path()); !error.isEmpty()) {
    std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
    return 1;
  }

  const std::vector<std::string> printout = printoutOf(count);
  const std::size_t stored = kvt::storedLines(printout, kvt::StoringRuleKind::Contest).lineCount();
  quorclock::PtyClock clock(8);
  kvt::puertoCom = QStringLiteral("8");
  kvt::pedirImpresora = QStringLiteral("0");
  kvt::DatosConcur reading;
  kvt::frmKVTmonitor* monitor = kvt::readClock(reading, reading.objectName());
  if (!clock.waitUntilOpened(std::chrono::seconds(2))) {
    std::fprintf(stderr, "the capture did not start\n");
    return 1;
  }

  std::atomic<long long> lastCarriageReturn{0};
  std::thread player([&] {
    for (const std::string& line : printout) {
      clock.sendAtLineRate(line + "\r", quorclock::kLineRate);
      lastCarriageReturn = Clock::now().time_since_epoch().count();
      clock.sendAtLineRate("\n", quorclock::kLineRate);
    }
  });

  // The stall: the longest time the event loop did not come back to a 1 ms timer.
  auto previousTick = Clock::now();
  Clock::duration longestGap{0};
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const auto now = Clock::now();
    longestGap = std::max(longestGap, now - previousTick);
    previousTick = now;
  });
  ticker.start(1);
  Clock::time_point shown{};
  QObject::connect(monitor->Text11, &QPlainTextEdit::blockCountChanged, [&] {
    if (monitor->captureText().lineCount() == stored) {
      shown = Clock::now();
      QApplication::exit();
    }
  });
  QApplication::exec();
  player.join();
  kvt::link::closeQuorKVT();
  kvt::link::closeQuorConnection();

  using Ms = std::chrono::duration<double, std::milli>;
  const Clock::time_point lastCr{Clock::duration(lastCarriageReturn.load())};
  std::printf(
      "%d pigeon lines (%zu stored) at 9600 baud: last CR to last line shown %.1f ms; "
      "longest user-interface stall %.1f ms\n",
      count, stored, Ms(shown - lastCr).count(), Ms(longestGap).count() - 1.0);
  kvt::closeDatabases();
  return 0;
}
