// How long the command exchanges take against an answering clock on a pseudo-terminal at 9600
// baud, set against the line time of the bytes they move (960 a second, both ways): Quor race
// reads of several sizes, a Quor stock list, and Tolvex stock and race reads of 1000 records, each
// with the library's reply wait and with QUORLINK_REPLY_WAIT=quiet (the quiet line after every
// answer). Every read is checked whole, down to its last record; the program exits with 1 when one
// is not, or when a read with the library's wait misses its target (Quor 1.02 and Tolvex 1.3
// times the line time).
// Run: build/release/bin/protocol_bench [--wait frame|quiet] [CASE...]   (cases by name; all when
// none is given; both waits when --wait is not)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "answering_clock.h"
#include "clock_data.h"
#include "quorlink.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using quorclock::Dialect;

constexpr unsigned kCom = 8;
constexpr double kBytesPerSecond = 960.0;

std::string counted(char first, std::size_t size, std::size_t countAt, std::size_t count) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04zu", count);
  std::string text = quorclock::record(std::string(1, first), size);
  text.replace(1, size - 1, size - 1, 'x');
  return text.replace(countAt, 4, digits);
}

// Every record differs from its neighbours, so that a record read from the wrong place shows.
std::string numbered(std::size_t size, std::size_t i) {
  std::string text = "1" + std::to_string(i) + "-";
  text.resize(size, static_cast<char>('a' + i % 26));
  return text;
}

quorclock::ClockData clockWith(std::size_t records) {
  quorclock::ClockData data;
  data.owner = counted('1', 113, 108, records);
  quorclock::ClockRace& race = data.races[1];
  race.header = counted('1', 166, 145, records);
  for (std::size_t i = 0; i < records; ++i) {
    data.stock.push_back(numbered(22, i));
    race.pigeons.push_back(numbered(60, i));
  }
  for (std::size_t j = 1; j <= 18; ++j) race.poules[j] = numbered(110, 100 + j);
  return data;
}

enum class Read { QuorRace, QuorStock, TolvexStock, TolvexRace };

struct Case {
  const char* name;
  Read read;
  std::size_t records;
};

constexpr Case kCases[] = {
    {"quor-race-1", Read::QuorRace, 1},
    {"quor-race-100", Read::QuorRace, 100},
    {"quor-race-700", Read::QuorRace, 700},
    {"quor-race-1000", Read::QuorRace, 1000},
    {"quor-race-1001", Read::QuorRace, 1001},
    {"quor-stock-1000", Read::QuorStock, 1000},
    {"tolvex-stock-1000", Read::TolvexStock, 1000},
    {"tolvex-race-1000", Read::TolvexRace, 1000},
};

bool tolvex(Read read) {
  return read == Read::TolvexStock || read == Read::TolvexRace;
}

// The bytes on the line both ways: what the link wrote, replayed through the clock's own
// answering rules, and the clock's answers; a Tolvex clock's opening frame counts too.
std::size_t lineBytes(std::string_view heard, const quorclock::ClockData& data, Dialect dialect) {
  std::size_t bytes = dialect == Dialect::Tolvex ? quorclock::tolvexOpeningFrame().size() : 0;
  for (;;) {
    const std::optional<quorclock::Answer> answer =
        dialect == Dialect::Tolvex ? quorclock::answerTolvex(heard, data, false)
                                   : quorclock::answerQuor(heard, data);
    if (!answer || answer->consumed == 0) break;
    bytes += answer->consumed + (answer->bytes ? answer->bytes->size() : 0);
    heard.remove_prefix(answer->consumed);
  }
  return bytes;
}

bool fetchedIs(int32_t(QUORLINK_CALL* get)(void*, uint32_t), std::size_t index,
               const std::string& expected) {
  std::string buffer(expected.size(), '\0');
  return get(buffer.data(), static_cast<uint32_t>(index)) == 1 && buffer == expected;
}

// The read succeeded and its last records hold what the clock holds.
bool readWhole(const Case& c, int32_t result, const quorclock::ClockData& data) {
  if (result != 1) return false;
  const std::size_t last = c.records - 1;
  switch (c.read) {
    case Read::QuorStock:
    case Read::TolvexStock:
      return fetchedIs(getQuorStockData, last, data.stock[last]);
    case Read::QuorRace:
    case Read::TolvexRace: {
      const quorclock::ClockRace& race = data.races.at(1);
      return fetchedIs(getPigeonData, last, race.pigeons[last]) &&
             fetchedIs(getQuorPoulData, 18, race.poules[18]);
    }
  }
  return false;
}

bool run(const Case& c, bool quietWait) {
  const quorclock::ClockData data = clockWith(c.records);
  quorclock::AnswerOptions options;
  const Dialect dialect = tolvex(c.read) ? Dialect::Tolvex : Dialect::Quor;
  options.dialect = dialect;
  if (quietWait) {
    setenv("QUORLINK_REPLY_WAIT", "quiet", 1);
  } else {
    unsetenv("QUORLINK_REPLY_WAIT");
  }
  quorclock::AnsweringClock clock(kCom, data, options);
  if (openQuorConnection(std::to_string(kCom).c_str()) != 1 || !clock.pty().waitUntilOpened(1s)) {
    std::fprintf(stderr, "the port did not open\n");
    return false;
  }
  const auto start = Clock::now();
  int32_t result = 0;
  switch (c.read) {
    case Read::QuorRace: result = readQuor(1); break;
    case Read::QuorStock: result = readQuor(999); break;
    case Read::TolvexStock: result = readQuorTolvex(999); break;
    case Read::TolvexRace: result = readQuorTolvex(1); break;
  }
  const double measured = std::chrono::duration<double>(Clock::now() - start).count();
  closeQuorConnection();

  const bool whole = readWhole(c, result, data);
  const std::size_t bytes = lineBytes(clock.heard(), data, dialect);
  const double line = bytes / kBytesPerSecond;
  const double ratio = measured / line;
  const double target = tolvex(c.read) ? 1.3 : 1.02;
  const bool onTarget = quietWait || ratio <= target;
  std::printf("%-18s %-6s %-15s %7zu bytes  line %7.1f s  measured %7.1f s  ratio %6.3f%s\n",
              c.name, quietWait ? "quiet" : "frame", whole ? "read whole" : "NOT READ WHOLE",
              bytes, line, measured, ratio, onTarget ? "" : "  OVER TARGET");
  std::fflush(stdout);
  return whole && onTarget;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<const Case*> chosen;
  std::vector<bool> waits = {false, true};  // quiet wait only: true
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--wait") == 0 && i + 1 < argc &&
        (std::strcmp(argv[i + 1], "frame") == 0 || std::strcmp(argv[i + 1], "quiet") == 0)) {
      waits = {std::strcmp(argv[++i], "quiet") == 0};
      continue;
    }
    const Case* found = nullptr;
    for (const Case& c : kCases) {
      if (std::strcmp(c.name, argv[i]) == 0) found = &c;
    }
    if (found == nullptr) {
      std::fprintf(stderr, "usage: protocol_bench [--wait frame|quiet] [CASE...]; cases:");
      for (const Case& c : kCases) std::fprintf(stderr, " %s", c.name);
      std::fprintf(stderr, "\n");
      return 2;
    }
    chosen.push_back(found);
  }
  if (chosen.empty()) {
    for (const Case& c : kCases) chosen.push_back(&c);
  }
  std::string config = (std::filesystem::temp_directory_path() / "protocol-bench-XXXXXX").string();
  if (mkdtemp(config.data()) == nullptr) return 1;
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  regOptionBase(0);

  bool ok = true;
  for (const bool quietWait : waits) {
    for (const Case* c : chosen) ok = run(*c, quietWait) && ok;
  }
  std::filesystem::remove_all(config);
  if (!ok) std::fprintf(stderr, "protocol_bench: a read was not whole or missed its target\n");
  return ok ? 0 : 1;
}
