// quorclock: a Quor clock on a pseudo-terminal. It publishes the pseudo-terminal as COM<n> for
// the link library, waits until a program opens that port, and prints a printout file at line
// rate, as a clock does when the official asks it for a list. It stays until the port is closed.
#include <csignal>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "printout_player.h"
#include "pty_clock.h"

namespace {

constexpr const char* kUsage =
    "usage: quorclock [--com N] [--escapes] [--control-bytes] [--no-form-feed]\n"
    "                 [--pause-every LINES --pause MS] [--tolvex] [--byte-us MICROSECONDS]\n"
    "                 [--once] PRINTOUT\n"
    "\n"
    "Publishes a pseudo-terminal as COM<N> (default 1) in the link's ports folder, waits until it\n"
    "is opened, then plays PRINTOUT (text lines) at 9600 baud with CR LF line ends and a form\n"
    "feed at the end. --once exits after playing; otherwise it plays again each time the port\n"
    "is opened anew, until interrupted.\n";

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
  stopRequested = 1;
}

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  quorclock::PlayOptions options;
  unsigned com = 1;
  bool once = false;
  std::string printout;
  try {
    for (int i = 1; i < argc; ++i) {
      const std::string arg = argv[i];
      auto number = [&]() -> long {
        if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
        return std::stol(argv[++i]);
      };
      if (arg == "--com")
        com = static_cast<unsigned>(number());
      else if (arg == "--escapes")
        options.escapes = true;
      else if (arg == "--control-bytes")
        options.controlBytes = true;
      else if (arg == "--no-form-feed")
        options.formFeed = false;
      else if (arg == "--tolvex")
        options.tolvex = true;
      else if (arg == "--pause-every")
        options.pauseEveryLines = static_cast<int>(number());
      else if (arg == "--pause")
        options.pause = std::chrono::milliseconds(number());
      else if (arg == "--byte-us")
        options.perByte = std::chrono::microseconds(number());
      else if (arg == "--once")
        once = true;
      else if (arg.rfind("--", 0) == 0 || !printout.empty())
        throw std::invalid_argument(arg);
      else
        printout = arg;
    }
    if (printout.empty()) throw std::invalid_argument("no printout file");
  } catch (const std::exception& error) {
    std::cerr << "quorclock: " << error.what() << "\n\n" << kUsage;
    return 2;
  }

  std::signal(SIGINT, requestStop);
  std::signal(SIGTERM, requestStop);
  try {
    const auto chunks = quorclock::printoutChunks(readLines(printout), options);
    quorclock::PtyClock clock(com);
    std::cout << "quorclock: COM" << com << " -> " << clock.slavePath() << std::endl;
    while (!stopRequested) {
      if (!clock.waitUntilOpened(std::chrono::milliseconds(200))) continue;
      std::cout << "quorclock: port opened, printing " << printout << std::endl;
      // The link sets its line up and purges it right after opening; the clock starts after.
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      quorclock::play(clock, chunks, options.perByte);
      std::cout << "quorclock: printout sent" << std::endl;
      // What is still queued would be lost if the pseudo-terminal closed now.
      while (!stopRequested && !clock.waitUntilClosed(std::chrono::milliseconds(200))) {
      }
      if (once) break;
    }
  } catch (const std::exception& error) {
    std::cerr << "quorclock: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
