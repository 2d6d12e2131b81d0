// quorclock: a clock on a pseudo-terminal. It publishes the pseudo-terminal as COM<n> for the link
// library, waits until a program opens that port, and either prints a printout file at line rate,
// as a clock does when the official asks it for a list, or answers the link's commands from a
// clock data file.
#include <csignal>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "answering_clock.h"
#include "printout_player.h"
#include "pty_clock.h"

namespace {

constexpr const char* kUsage =
    "usage: quorclock [--com N] [--escapes] [--control-bytes] [--no-form-feed]\n"
    "                 [--pause-every LINES --pause MS] [--tolvex] [--byte-us MICROSECONDS]\n"
    "                 [--once] PRINTOUT\n"
    "       quorclock [--com N] [--tolvex] [--byte-us MICROSECONDS] [--silent] [--wrong-code]\n"
    "                 [--cut BYTES] [--heard FILE] --answer CLOCKDATA\n"
    "       quorclock --help | --version\n"
    "\n"
    "Publishes a pseudo-terminal as COM<N> (default 1) in the link's ports folder, waits until it\n"
    "is opened, then plays PRINTOUT (text lines) at 9600 baud with CR LF line ends and a form\n"
    "feed at the end. --once exits after playing; otherwise it plays again each time the port\n"
    "is opened anew, until interrupted.\n"
    "\n"
    "With --answer it answers the link's commands instead, as a Quor clock (a Tolvex clock with\n"
    "--tolvex), from the records of CLOCKDATA, until interrupted. --silent never answers,\n"
    "--wrong-code answers Tolvex requests with another command code, --cut keeps only the first\n"
    "BYTES of every answer, --heard appends every byte the link writes to FILE.\n";

std::atomic<bool> stopRequested{false};

void requestStop(int) {
  stopRequested = true;
}

int answerCommands(unsigned com, const std::string& dataFile,
                   const quorclock::AnswerOptions& options, const std::string& heardFile) {
  const quorclock::ClockData data = quorclock::readClockData(dataFile);
  std::ofstream heard;
  if (!heardFile.empty()) {
    heard.open(heardFile, std::ios::binary | std::ios::app);
    if (!heard) throw std::runtime_error("cannot write " + heardFile);
  }
  quorclock::PtyClock clock(com);
  std::cout << "quorclock: COM" << com << " -> " << clock.slavePath() << ", answering from "
            << dataFile << std::endl;
  quorclock::serveCommands(clock, data, options, stopRequested, [&](std::string_view bytes) {
    heard.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    heard.flush();
  });
  return 0;
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
  quorclock::AnswerOptions answering;
  unsigned com = 1;
  bool once = false;
  std::string printout;
  std::string clockData;
  std::string heardFile;
  try {
    for (int i = 1; i < argc; ++i) {
      const std::string arg = argv[i];
      auto value = [&]() -> std::string {
        if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
        return argv[++i];
      };
      auto number = [&] { return std::stol(value()); };
      if (arg == "--help") {
        std::cout << kUsage;
        return 0;
      }
      if (arg == "--version") {
        std::cout << "quorclock " << QUORKVT_VERSION << "\n";
        return 0;
      }
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
      else if (arg == "--answer")
        clockData = value();
      else if (arg == "--silent")
        answering.silent = true;
      else if (arg == "--wrong-code")
        answering.wrongCode = true;
      else if (arg == "--cut")
        answering.cutAt = static_cast<std::size_t>(number());
      else if (arg == "--heard")
        heardFile = value();
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
    if (printout.empty() == clockData.empty())
      throw std::invalid_argument("give a printout file or --answer CLOCKDATA");
  } catch (const std::exception& error) {
    std::cerr << "quorclock: " << error.what() << "\n\n" << kUsage;
    return 2;
  }

  std::signal(SIGINT, requestStop);
  std::signal(SIGTERM, requestStop);
  answering.dialect = options.tolvex ? quorclock::Dialect::Tolvex : quorclock::Dialect::Quor;
  answering.perByte = options.perByte;
  try {
    if (!clockData.empty()) return answerCommands(com, clockData, answering, heardFile);
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
