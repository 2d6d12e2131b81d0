// How long the command exchanges take against an answering clock on a pseudo-terminal at 9600
// baud: a Tolvex stock read and a Quor race read of many records, each set against the time that
// the bytes on the line (960 a second, both ways) and the library's own waits add up to. Every
// answer costs the end of its burst, two 30 ms steps of the reader (the one after the last bytes
// are read and the one after the read that finds nothing), and the eleven 60 ms quiet checks of
// the reply wait. Where in a 30 ms step the last byte falls, and the 10 ms polling of the wait,
// are left in the measured time. The Tolvex clock's opening frame counts as one more answer; how
// long the clock takes to announce itself is the clock's and is left in the measured time too.
// Run: build/bin/protocol_bench [tolvex|quor|both] [records]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "answering_clock.h"
#include "clock_data.h"
#include "quorlink.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using quorclock::Dialect;

constexpr unsigned kCom = 8;
constexpr double kBytesPerSecond = 960.0;
constexpr double kWaitPerAnswer = 2 * 0.030 + 11 * 0.060;

std::string counted(char first, std::size_t size, std::size_t countAt, std::size_t count) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04zu", count);
  std::string text = quorclock::record(std::string(1, first), size);
  text.replace(1, size - 1, size - 1, 'x');
  return text.replace(countAt, 4, digits);
}

quorclock::ClockData clockWith(std::size_t records) {
  quorclock::ClockData data;
  data.owner = counted('1', 113, 108, records);
  quorclock::ClockRace& race = data.races[1];
  race.header = counted('1', 166, 145, records);
  for (std::size_t i = 0; i < records; ++i) {
    data.stock.push_back(std::string(1, '1') + std::string(21, static_cast<char>('A' + i % 26)));
    race.pigeons.push_back(std::string(1, '1') + std::string(59, static_cast<char>('a' + i % 26)));
  }
  for (int j = 1; j <= 18; ++j) race.poules[j] = std::string(1, '1') + std::string(109, 'p');
  return data;
}

struct Model {
  std::size_t bytes = 0;
  std::size_t answers = 0;
  double seconds() const { return bytes / kBytesPerSecond + answers * kWaitPerAnswer; }
};

// Replays what the link wrote through the clock's own answering rules.
Model modelOf(std::string_view heard, const quorclock::ClockData& data, Dialect dialect) {
  Model model;
  if (dialect == Dialect::Tolvex) {
    model.bytes += quorclock::tolvexOpeningFrame().size();
    ++model.answers;
  }
  for (;;) {
    const std::optional<quorclock::Answer> answer =
        dialect == Dialect::Tolvex ? quorclock::answerTolvex(heard, data, false)
                                   : quorclock::answerQuor(heard, data);
    if (!answer || answer->consumed == 0) break;
    model.bytes += answer->consumed;
    if (answer->bytes) {
      model.bytes += answer->bytes->size();
      ++model.answers;
    }
    heard.remove_prefix(answer->consumed);
  }
  return model;
}

bool run(Dialect dialect, std::size_t records) {
  const quorclock::ClockData data = clockWith(records);
  quorclock::AnswerOptions options;
  options.dialect = dialect;
  quorclock::AnsweringClock clock(kCom, data, options);
  if (openQuorConnection(std::to_string(kCom).c_str()) != 1 || !clock.pty().waitUntilOpened(1s)) {
    std::fprintf(stderr, "the port did not open\n");
    return false;
  }
  const bool tolvex = dialect == Dialect::Tolvex;
  const auto start = Clock::now();
  const int32_t read = tolvex ? readQuorTolvex(999) : readQuor(1);
  const double measured = std::chrono::duration<double>(Clock::now() - start).count();
  closeQuorConnection();

  char record[166];
  const bool whole = read == 1 && (tolvex ? getQuorStockData(record, records - 1)
                                          : getPigeonData(record, records - 1)) == 1;
  const Model model = modelOf(clock.heard(), data, dialect);
  std::printf(
      "%s, %zu records: %s; %zu bytes, %zu answers; expected %.1f s, measured %.1f s, "
      "ratio %.4f\n",
      tolvex ? "Tolvex stock read" : "Quor race read", records,
      whole ? "read whole" : "NOT read whole", model.bytes, model.answers, model.seconds(),
      measured, measured / model.seconds());
  return whole;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string which = argc > 1 ? argv[1] : "both";
  const std::size_t records = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000;
  if ((which != "tolvex" && which != "quor" && which != "both") || records < 1 || records > 1001) {
    std::fprintf(stderr, "usage: protocol_bench [tolvex|quor|both] [records 1..1001]\n");
    return 2;
  }
  std::string config = (std::filesystem::temp_directory_path() / "protocol-bench-XXXXXX").string();
  if (mkdtemp(config.data()) == nullptr) return 1;
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  regOptionBase(0);

  bool ok = true;
  if (which != "tolvex") ok = run(Dialect::Quor, records) && ok;
  if (which != "quor") ok = run(Dialect::Tolvex, records) && ok;
  std::filesystem::remove_all(config);
  return ok ? 0 : 1;
}
