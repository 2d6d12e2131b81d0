// How soon a printed line reaches the host: quorclock's pseudo-terminal sends a printout of 1000
// lines at 9600 baud without pauses; for every line, the time from the write of its CR to the call
// of the host's update procedure. Also the library's CPU time while capturing and while idle with
// capture on. Run: build/bin/capture_latency [lines] [idle-seconds]
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "pty_clock.h"
#include "quorlink.h"

namespace {

using Clock = std::chrono::steady_clock;

std::mutex arrivalsMutex;
std::vector<Clock::time_point> arrivals;

void QUORLINK_CALL onLine(const char*) {
  const auto now = Clock::now();
  char line[132];
  getUpdateData(line);
  std::lock_guard lock(arrivalsMutex);
  arrivals.push_back(now);
}

double cpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int lineCount = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 10;
  std::string config = (std::filesystem::temp_directory_path() / "capture-latency-XXXXXX").string();
  if (mkdtemp(config.data()) == nullptr) return 1;
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);

  quorclock::PtyClock clock(8);
  if (openQuorConnection("8") != 1 || openQuorKVT(0) != 1 || regUpdateProc(onLine) != 1) {
    std::fprintf(stderr, "capture did not start\n");
    return 1;
  }
  std::string printout;
  for (int i = 1; i <= lineCount; ++i) {
    char line[80];
    std::snprintf(line, sizeof line, " %-3d|ES-09-%07dM |%010d| 15.05 12:%02d:%02d|%3d|\r\n",
                  i % 1000, i, i * 7, i / 60 % 60, i % 60, i % 1000);
    printout += line;
  }

  // Sends at line rate, noting when the write that carried each CR was made.
  std::vector<Clock::time_point> crWritten;
  double writerCpu = 0;
  const double cpuBefore = cpuSeconds(RUSAGE_SELF);
  const auto sendStart = Clock::now();
  std::thread writer([&] {
    const auto start = Clock::now();
    std::size_t sent = 0;
    while (sent < printout.size()) {
      std::this_thread::sleep_until(start + quorclock::kLineRate * static_cast<long>(sent + 1));
      const std::size_t due = std::min(
          printout.size(), static_cast<std::size_t>((Clock::now() - start) / quorclock::kLineRate));
      clock.send(std::string_view(printout).substr(sent, due - sent));
      const auto now = Clock::now();
      for (std::size_t i = sent; i < due; ++i) {
        if (printout[i] == '\r') crWritten.push_back(now);
      }
      sent = due;
    }
    writerCpu = cpuSeconds(RUSAGE_THREAD);
  });
  writer.join();
  const auto sendEnd = Clock::now();
  while (Clock::now() - sendEnd < std::chrono::seconds(2)) {
    std::lock_guard lock(arrivalsMutex);
    if (arrivals.size() >= static_cast<std::size_t>(lineCount)) break;
  }
  const double captureCpu = cpuSeconds(RUSAGE_SELF) - cpuBefore - writerCpu;
  const double capturedWall = milliseconds(sendEnd - sendStart) / 1000;

  std::vector<double> latencies;
  {
    std::lock_guard lock(arrivalsMutex);
    for (std::size_t i = 0; i < arrivals.size() && i < crWritten.size(); ++i) {
      latencies.push_back(milliseconds(arrivals[i] - crWritten[i]));
    }
  }
  std::sort(latencies.begin(), latencies.end());
  const double idleBefore = cpuSeconds(RUSAGE_SELF);
  std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
  const double idleCpu = cpuSeconds(RUSAGE_SELF) - idleBefore;
  closeQuorKVT();
  closeQuorConnection();
  std::filesystem::remove_all(config);

  if (latencies.size() != static_cast<std::size_t>(lineCount)) {
    std::fprintf(stderr, "only %zu of %d lines arrived\n", latencies.size(), lineCount);
    return 1;
  }
  const auto at = [&](double q) {
    return latencies[static_cast<std::size_t>(q * static_cast<double>(latencies.size() - 1))];
  };
  std::printf("lines %d, %zu bytes at 9600 baud (%.1f s)\n", lineCount, printout.size(),
              capturedWall);
  std::printf("latency CR written -> update procedure: median %.1f ms, p99 %.1f ms, max %.1f ms\n",
              at(0.5), at(0.99), latencies.back());
  std::printf("library CPU while capturing: %.3f s = %.2f%% of one core\n", captureCpu,
              100 * captureCpu / capturedWall);
  std::printf("library CPU idle with capture on: %.3f s in %d s = %.3f%% of one core\n", idleCpu,
              idleSeconds, 100 * idleCpu / idleSeconds);
  return 0;
}
