// The command exchanges over a pseudo-terminal with an answering clock: the bytes on the line,
// what the store holds afterwards, and the failures a host meets.
#include <chrono>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "answering_clock.h"
#include "clock_data.h"
#include "data_store.h"
#include "link.h"
#include "link_test_support.h"
#include "quorlink.h"

namespace quorlink {
namespace {

using namespace std::chrono_literals;
using quorclock::AnsweringClock;
using quorclock::AnswerOptions;
using quorclock::ClockData;
using quorclock::Dialect;
using quorclock::record;

constexpr unsigned kCom = 8;

std::string ownerRecord(const std::string& count, char fill = 'O') {
  std::string owner(kOwnerRecordSize, fill);
  owner[0] = '1';
  owner.replace(kOwnerCountAt, kCountWidth, count);
  return owner;
}

std::string numbered(char first, int number, std::size_t size) {
  std::string text = std::string(1, first) + "REC" + std::to_string(number);
  text.resize(size, static_cast<char>('a' + number % 26));
  return text;
}

std::string fourDigits(int number) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04d", number);
  return digits;
}

ClockData clockWithData(int pigeons = 2, int stock = 2) {
  ClockData data;
  data.owner = ownerRecord(fourDigits(stock));
  for (int i = 1; i <= stock; ++i) data.stock.push_back(numbered('1', i, kStockRecordSize));
  quorclock::ClockRace& race = data.races[7];
  race.header = record("1HEADER", kRaceHeaderSize);
  race.header.replace(kRaceCountAt, kCountWidth, fourDigits(pigeons));
  for (int i = 0; i < pigeons; ++i) race.pigeons.push_back(numbered('1', i, kPigeonRecordSize));
  for (int j = 1; j <= 18; ++j) race.poules[j] = numbered('1', 100 + j, kPouleRecordSize);
  data.races[3] = race;
  return data;
}

template <std::size_t Size>
std::string fetched(int32_t(QUORLINK_CALL* get)(void*, uint32_t), uint32_t index) {
  std::string buffer(Size, '\0');
  return get(buffer.data(), index) == 1 ? buffer : std::string("(none)");
}

std::string tolvexFrame(std::uint8_t code, const std::string& data) {
  std::string frame = {0x33, 0x21, static_cast<char>(0xCE), static_cast<char>(data.size() + 1),
                       static_cast<char>(code)};
  frame += data;
  unsigned sum = 0;
  for (const char c : frame) sum += static_cast<std::uint8_t>(c);
  return frame + static_cast<char>(sum & 0xFF);
}

// The clocks answer at line rate, 9600 baud, as a real clock does.
class ClockExchange : public ::testing::Test {
 protected:
  void start(ClockData data, AnswerOptions options) {
    clock_.emplace(kCom, std::move(data), options);
    ASSERT_EQ(openQuorConnection(std::to_string(kCom).c_str()), 1);
    ASSERT_TRUE(clock_->pty().waitUntilOpened(1s));
    resetReply();  // nothing from an earlier test ends a wait
    regOptionBase(0);
  }
  void startQuor(ClockData data = clockWithData(), AnswerOptions options = {}) {
    start(std::move(data), options);
  }
  void startTolvex(ClockData data = clockWithData(), AnswerOptions options = {}) {
    options.dialect = Dialect::Tolvex;
    start(std::move(data), options);
  }
  void TearDown() override {
    closeQuorConnection();
    clock_.reset();
  }
  // What the link wrote, once at least size bytes have come (the clock may still be taking an
  // earlier upload off the line).
  std::string heard(std::size_t size) {
    for (int i = 0; i < 500 && clock_->heard().size() < size; ++i)
      std::this_thread::sleep_for(10ms);
    return clock_->heard();
  }
  std::optional<AnsweringClock> clock_;
};

// How long bytes take on the line at 9600 baud.
std::chrono::milliseconds onLine(std::size_t bytes) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(quorclock::kLineRate * bytes);
}

std::chrono::milliseconds timeOf(const std::function<void()>& exchange) {
  const auto begin = std::chrono::steady_clock::now();
  exchange();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               begin);
}

TEST_F(ClockExchange, QuorStockListIsReadWhole) {
  startQuor();
  ASSERT_EQ(readQuor(999), 1);
  EXPECT_EQ(heard(2), ">B");
  std::string owner(kOwnerRecordSize, '\0');
  ASSERT_EQ(getQuorStockOwnerData(owner.data()), 1);
  EXPECT_EQ(owner, ownerRecord("0002"));
  EXPECT_EQ(fetched<kStockRecordSize>(getQuorStockData, 1), numbered('1', 2, kStockRecordSize));
  EXPECT_EQ(fetched<kStockRecordSize>(getQuorStockData, 2), "(none)");
}

TEST_F(ClockExchange, QuorRaceIsReadWithItsPoules) {
  startQuor();
  ASSERT_EQ(readQuor(7), 1);
  EXPECT_EQ(heard(3), ">K\x07");
  std::string header(kRaceHeaderSize, '\0');
  ASSERT_EQ(getQuorData(header.data()), 1);
  EXPECT_EQ(header.substr(0, 7), "1HEADER");
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 1), numbered('1', 1, kPigeonRecordSize));
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 2), "(none)");
  EXPECT_EQ(fetched<kPouleRecordSize>(getQuorPoulData, 18), numbered('1', 118, kPouleRecordSize));
}

TEST_F(ClockExchange, QuorRaceDataSetIsAskedWithItsNumberAndDecoded) {
  ClockData data = clockWithData();
  std::string block(0x47 + 20, '\0');
  block[0] = '1';   // what makes the reader take it for an answer
  block[0x32] = 1;  // one pigeon, layout B
  block[0x47] = 0x49;
  data.dataSets[5] = block;
  startQuor(data);
  ASSERT_EQ(readQuor(105), 1);
  EXPECT_EQ(heard(3), ">5\x05");
  std::string header(kRaceHeaderSize, '\0');
  ASSERT_EQ(getQuorData(header.data()), 1);
  EXPECT_EQ(header.substr(145, 4), "0001");
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 0).substr(14, 1), "1");
}

TEST_F(ClockExchange, QuorStockAndRecoveryRecordsAreWrittenAsSet) {
  startQuor();
  std::string owner = ownerRecord("0000");
  owner.replace(88, 20, " 037.5    +12,5     ");
  const std::string first = numbered('1', 1, kStockRecordSize);
  const std::string second = numbered('1', 2, kStockRecordSize);
  ASSERT_EQ(setQuorStockOwnerData(owner.data()), 1);
  ASSERT_EQ(setQuorStockData(first.data(), 0), 1);
  ASSERT_EQ(setQuorStockData(second.data(), 1), 1);
  ASSERT_EQ(writeQuor(), 1);
  std::string sent = owner;
  sent.replace(88, 20, std::string("000000375") + '\0' + "000000125" + '\0');
  sent.replace(kOwnerCountAt, kCountWidth, "0002");
  EXPECT_EQ(heard(2 + 113 + 44), ">A" + sent + first + second);

  clock_->clearHeard();
  const std::string recovery = numbered('1', 9, kRecoveryRecordSize);
  ASSERT_EQ(setQuorRecoveryData(recovery.data(), 0), 1);
  ASSERT_EQ(buildQuor(), 1);
  sent.replace(kOwnerCountAt, kCountWidth, "0001");
  EXPECT_EQ(heard(2 + 113 + 48), ">^" + sent + recovery);
}

std::string quorLiberationUpload(int named, const std::string& name) {
  std::string upload = ">L";
  for (int n = 1; n <= 99; ++n) {
    std::string entry(17, '\0');
    entry[0] = static_cast<char>(0x80 + n);
    if (n == named)
      entry.replace(1, name.size(), name);
    else
      entry[1] = ' ';
    upload += entry;
  }
  return upload + ">";
}

TEST_F(ClockExchange, QuorLiberationPointsAreSentAndForgotten) {
  startQuor();
  EXPECT_EQ(setLiberationPoints("CERO", 0), 0);
  ASSERT_EQ(setLiberationPoints("VALLADOLID NORTE SUR", 3), 1);
  ASSERT_EQ(setLiberationPoints("", 100), 1);
  EXPECT_EQ(heard(2 + 99 * 17 + 1), quorLiberationUpload(3, "VALLADOLID NORT"));
  clock_->clearHeard();
  ASSERT_EQ(setLiberationPoints(nullptr, 250), 1);
  EXPECT_EQ(heard(2 + 99 * 17 + 1), quorLiberationUpload(0, ""));
}

TEST_F(ClockExchange, QuorRaceOfAThousandAndOnePigeonsIsReadWhole) {
  startQuor(clockWithData(1001), AnswerOptions{.perByte = 10us});
  ASSERT_EQ(readQuor(7), 1);  // 62206 bytes: more than one burst
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 1000),
            numbered('1', 1000, kPigeonRecordSize));
  EXPECT_EQ(fetched<kPouleRecordSize>(getQuorPoulData, 18), numbered('1', 118, kPouleRecordSize));
}

// Answers that take longer on the line than the 1.5 s a silent clock is given, and one longer than
// a burst of the reader: each is read whole, and the wait ends as soon as the answer is whole
// instead of after the quiet line.
TEST_F(ClockExchange, QuorAnswersAtLineRateAreReadWholeAsSoonAsTheyEnd) {
  struct Case {
    const char* what;
    int pigeons;  // a race of this many pigeons; 0 for a stock list of 100 records
  };
  for (const Case c : {Case{"stock list of 100 records", 0}, Case{"race of 1 pigeon", 1},
                       Case{"race of 40 pigeons", 40},
                       Case{"race of 700 pigeons, longer than a burst", 700}}) {
    SCOPED_TRACE(c.what);
    startQuor(clockWithData(c.pigeons, 100));
    const bool stock = c.pigeons == 0;
    const std::size_t answer =
        stock ? kOwnerRecordSize + 100 * kStockRecordSize
              : kRaceHeaderSize + c.pigeons * kPigeonRecordSize + 18 * kPouleRecordSize;
    const auto took = timeOf([&] { ASSERT_EQ(readQuor(stock ? 999 : 7), 1); });
    EXPECT_GT(onLine(answer), 1500ms);
    EXPECT_LT(took, onLine(3 + answer) + 400ms);
    if (stock) {
      EXPECT_EQ(fetched<kStockRecordSize>(getQuorStockData, 99),
                numbered('1', 100, kStockRecordSize));
    } else {
      EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, c.pigeons - 1),
                numbered('1', c.pigeons - 1, kPigeonRecordSize));
      EXPECT_EQ(fetched<kPouleRecordSize>(getQuorPoulData, 18),
                numbered('1', 118, kPouleRecordSize));
    }
    TearDown();
  }
}

// Before the clock answers an upload it takes the whole upload off the line (2.4 s here): the
// silence that fails an exchange counts from then.
TEST_F(ClockExchange, QuorUploadLongerThanTheSilenceIsAcknowledged) {
  startQuor();
  ASSERT_EQ(setQuorStockOwnerData(ownerRecord("0100").data()), 1);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(setQuorStockData(numbered('1', i, kStockRecordSize).data(), i), 1);
  }
  EXPECT_EQ(writeQuor(), 1);
  const std::string sent = heard(2 + kOwnerRecordSize + 100 * kStockRecordSize);
  ASSERT_EQ(sent.size(), 2 + kOwnerRecordSize + 100 * kStockRecordSize);
  EXPECT_EQ(sent.substr(sent.size() - kStockRecordSize), numbered('1', 99, kStockRecordSize));
}

// A clock that pauses inside an answer for less than 30 ms sends one answer; an answer that tells
// its length is taken whole across a longer pause too; one that stops half-way leaves only the
// records it sent whole (the read itself succeeds, as the answer began as one).
TEST_F(ClockExchange, PausedAndCutAnswersAtLineRate) {
  ClockData data = clockWithData(40);
  std::string block(0x47 + 20, '\0');  // a race data set, whose length the answer does not tell
  block[0] = '1';
  block[0x32] = 1;
  block[0x47] = 0x49;
  data.dataSets[5] = block;
  startQuor(data, AnswerOptions{.pauseAt = 40, .pause = 20ms});
  ASSERT_EQ(readQuor(105), 1);
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 0).substr(14, 1), "1");
  TearDown();

  startQuor(clockWithData(40), AnswerOptions{.pauseAt = 1000, .pause = 80ms});
  ASSERT_EQ(readQuor(7), 1);
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 39), numbered('1', 39, kPigeonRecordSize));
  TearDown();

  // Every frame paused inside, once for less than a burst's 30 ms, once for more right after
  // its first two bytes.
  for (const AnswerOptions options : {AnswerOptions{.pauseAt = 60, .pause = 20ms},
                                      AnswerOptions{.pauseAt = 2, .pause = 80ms}}) {
    startTolvex(clockWithData(), options);
    ASSERT_EQ(readQuorTolvex(999), 1);
    EXPECT_EQ(fetched<kStockRecordSize>(getQuorStockData, 1), numbered('1', 2, kStockRecordSize));
    TearDown();
  }

  // 2000 bytes, 2.1 s on the line: the header and 30 of the 40 pigeons.
  startQuor(clockWithData(40), AnswerOptions{.cutAt = 2000});
  ASSERT_EQ(readQuor(7), 1);
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 29), numbered('1', 29, kPigeonRecordSize));
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 30), "(none)");
  EXPECT_EQ(fetched<kPouleRecordSize>(getQuorPoulData, 1), std::string(kPouleRecordSize, '\0'));
}

// One request and one reply frame per record: a read of a few dozen records takes little more
// than its bytes' time on the line.
TEST_F(ClockExchange, TolvexReadsAtLineRateTakeLittleMoreThanTheLine) {
  startTolvex(clockWithData(30, 30));
  const std::size_t stockBytes = 6 + (6 + 5 + kOwnerRecordSize) + 30 * (10 + 5 + kStockRecordSize);
  const auto stockTook = timeOf([] { ASSERT_EQ(readQuorTolvex(999), 1); });
  EXPECT_LT(stockTook, onLine(stockBytes) * 13 / 10 + 200ms);  // the clock announces itself
  EXPECT_EQ(fetched<kStockRecordSize>(getQuorStockData, 29), numbered('1', 30, kStockRecordSize));

  const std::size_t raceBytes = (6 + 5 + kRaceHeaderSize) + 18 * (7 + 5 + kPouleRecordSize) +
                                30 * (11 + 5 + kPigeonRecordSize);
  const auto raceTook = timeOf([] { ASSERT_EQ(readQuorTolvex(3), 1); });
  EXPECT_LT(raceTook, onLine(raceBytes) * 13 / 10);
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 29), numbered('1', 29, kPigeonRecordSize));
  EXPECT_EQ(fetched<kPouleRecordSize>(getQuorPoulData, 18), numbered('1', 118, kPouleRecordSize));
}

// QUORLINK_REPLY_WAIT=quiet: every answer waits for the quiet line, as the clocks that need it
// are given; the reads are still whole.
TEST_F(ClockExchange, QuietWaitFromTheEnvironmentWaitsForTheQuietLineAfterEveryAnswer) {
  ASSERT_EQ(setenv("QUORLINK_REPLY_WAIT", "quiet", 1), 0);
  startQuor();
  const auto took = timeOf([] { ASSERT_EQ(readQuor(999), 1); });
  EXPECT_GT(took, onLine(2 + kOwnerRecordSize + 2 * kStockRecordSize) + 600ms);
  EXPECT_EQ(fetched<kStockRecordSize>(getQuorStockData, 1), numbered('1', 2, kStockRecordSize));
  unsetenv("QUORLINK_REPLY_WAIT");
}

TEST_F(ClockExchange, SilentClocksFailAfterAboutOneAndAHalfSeconds) {
  struct Case {
    Dialect dialect;
    int32_t(QUORLINK_CALL* read)(uint32_t);
  };
  for (const Case c : {Case{Dialect::Quor, readQuor}, Case{Dialect::Tolvex, readQuorTolvex}}) {
    start(clockWithData(), AnswerOptions{.dialect = c.dialect, .silent = true});
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(c.read(999), 0);
    const auto took = std::chrono::steady_clock::now() - begin;
    EXPECT_GT(took, 1300ms);
    EXPECT_LT(took, 2500ms);
    std::string owner(kOwnerRecordSize, '\0');
    EXPECT_EQ(getQuorStockOwnerData(owner.data()), 0);
    closeQuorConnection();
    clock_.reset();
  }
}

TEST_F(ClockExchange, TolvexStockListIsAskedRecordByRecord) {
  startTolvex();
  ASSERT_EQ(readQuorTolvex(999), 1);
  const std::string expected = tolvexFrame(0x02, std::string(1, '\0')) + tolvexFrame(0x04, "0001") +
                               tolvexFrame(0x04, "0002") + tolvexFrame(0x06, std::string(1, '\0'));
  EXPECT_EQ(heard(expected.size()), expected);
  std::string owner(kOwnerRecordSize, '\0');
  ASSERT_EQ(getQuorStockOwnerData(owner.data()), 1);
  EXPECT_EQ(owner, ownerRecord("0002"));
  EXPECT_EQ(fetched<kStockRecordSize>(getQuorStockData, 1), numbered('1', 2, kStockRecordSize));
}

TEST_F(ClockExchange, TolvexRaceIsAskedHeaderPoulesThenPigeons) {
  startTolvex();
  ASSERT_EQ(readQuorTolvex(0x103), 1);  // the low 8 bits: race 3
  std::string expected = tolvexFrame(0x07, "\x03");
  for (char j = 1; j <= 18; ++j) expected += tolvexFrame(0x0A, std::string{'\x03', j});
  expected += tolvexFrame(0x08,
                          "\x03"
                          "0001") +
              tolvexFrame(0x08,
                          "\x03"
                          "0002") +
              tolvexFrame(0x06, std::string(1, '\0'));
  EXPECT_EQ(heard(expected.size()), expected);
  std::string header(kRaceHeaderSize, '\0');
  ASSERT_EQ(getQuorData(header.data()), 1);
  EXPECT_EQ(header.substr(0, 7), "1HEADER");
  EXPECT_EQ(fetched<kPigeonRecordSize>(getPigeonData, 1), numbered('1', 1, kPigeonRecordSize));
  EXPECT_EQ(fetched<kPouleRecordSize>(getQuorPoulData, 7), numbered('1', 107, kPouleRecordSize));
}

TEST_F(ClockExchange, TolvexAnswerWithAnotherCodeFailsWithNothingValid) {
  startTolvex(clockWithData(), AnswerOptions{.wrongCode = true});
  EXPECT_EQ(readQuorTolvex(999), 0);
  std::string owner(kOwnerRecordSize, '\0');
  EXPECT_EQ(getQuorStockOwnerData(owner.data()), 0);
  EXPECT_EQ(readQuorTolvex(3), 0);
  EXPECT_EQ(getQuorData(owner.data()), 0);
}

TEST_F(ClockExchange, TolvexStockIsWrittenFrameByFrame) {
  startTolvex();
  const std::string owner = ownerRecord("0000");
  const std::string first = numbered('1', 1, kStockRecordSize);
  const std::string second = numbered('1', 2, kStockRecordSize);
  ASSERT_EQ(setQuorStockOwnerData(owner.data()), 1);
  ASSERT_EQ(writeQuorTolvex(), 1);  // no stock record: only the owner record and the end
  std::string stored(kOwnerRecordSize, '\0');
  std::memcpy(stored.data(), dataStore().stock.owner.data(), kOwnerRecordSize);
  std::string expected = tolvexFrame(0x01, stored) + tolvexFrame(0x05, std::string(1, '\0'));
  EXPECT_EQ(heard(expected.size()), expected);
  ASSERT_EQ(expected.substr(0, 119).size(), 119u);

  clock_->clearHeard();
  ASSERT_EQ(setQuorStockData(first.data(), 0), 1);
  ASSERT_EQ(setQuorStockData(second.data(), 1), 1);
  ASSERT_EQ(writeQuorTolvex(), 1);
  stored.replace(kOwnerCountAt, kCountWidth, "0002");
  expected = tolvexFrame(0x01, stored) + tolvexFrame(0x03, first) + tolvexFrame(0x03, second) +
             tolvexFrame(0x05, std::string(1, '\0'));
  EXPECT_EQ(heard(expected.size()), expected);
}

TEST_F(ClockExchange, TolvexLiberationPointsAreSentOneByOne) {
  startTolvex();
  EXPECT_EQ(setLiberationPointsTolvex("CERO", 0), 0);
  ASSERT_EQ(setLiberationPointsTolvex("SAN SEBASTIAN DE LOS REYES", 1), 1);
  ASSERT_EQ(setLiberationPointsTolvex("", 100), 1);
  std::string expected;
  for (int n = 1; n <= 99; ++n) {
    char number[4];
    std::snprintf(number, sizeof number, "%03d", n);
    std::string name(16, '\0');
    if (n == 1)
      name = "SAN SEBASTIAN DE";
    else
      name[0] = ' ';
    expected += tolvexFrame(0x09, number + name);
  }
  expected += tolvexFrame(0x06, std::string(1, '\0'));
  EXPECT_EQ(heard(expected.size()), expected);
}

TEST(ClockExchangeWithoutLink, EveryExchangeFailsAtOnce) {
  closeQuorConnection();
  const auto begin = std::chrono::steady_clock::now();
  EXPECT_EQ(readQuor(999), 0);
  EXPECT_EQ(readQuor(7), 0);
  EXPECT_EQ(readQuorTolvex(999), 0);
  EXPECT_EQ(writeQuor(), 0);
  EXPECT_EQ(writeQuorTolvex(), 0);
  EXPECT_EQ(buildQuor(), 0);
  EXPECT_EQ(setLiberationPoints("", 100), 0);
  EXPECT_EQ(setLiberationPointsTolvex("", 100), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, 500ms);
}

}  // namespace
}  // namespace quorlink
