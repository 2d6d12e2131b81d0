// The clock's records without a clock: Tolvex frames, the binary race data set in both layouts,
// the data store's exports with their index base and normalisations.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "clock_replies.h"
#include "data_store.h"
#include "quorlink.h"
#include "tolvex_frame.h"

namespace quorlink {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <std::size_t Size>
std::string text(const Record<Size>& record, std::size_t at, std::size_t length) {
  return std::string(reinterpret_cast<const char*>(record.data()) + at, length);
}

TEST(TolvexFrames, RequestsCarryLengthCodeDataAndChecksum) {
  EXPECT_EQ(tolvex::request(tolvex::kAskPigeon, Bytes{3, '0', '0', '1', '2'}),
            (Bytes{0x33, 0x21, 0xCE, 0x06, 0x08, 0x03, '0', '0', '1', '2', 0xF6}));
  EXPECT_EQ(tolvex::request(tolvex::kEndOfSession, Bytes{0x00}),
            (Bytes{0x33, 0x21, 0xCE, 0x02, 0x06, 0x00, 0x2A}));
  EXPECT_EQ(tolvex::request(tolvex::kSendOwner, Bytes(kOwnerRecordSize, 'x')).size(), 119u);
  EXPECT_EQ(tolvex::request(tolvex::kSendOwner, Bytes(kOwnerRecordSize, 'x'))[3], 0x72);
  EXPECT_EQ(tolvex::recordDigits(12), (Bytes{'0', '0', '1', '2'}));
}

// A race data set as a clock packs it, written at the offsets of its base b (P - 2 in layout A).
class RaceBlock {
 public:
  RaceBlock(bool layoutA, std::size_t size) : bytes_(size), base_(layoutA ? -2 : 0) {}
  void at(long offset, Bytes values) {
    std::copy(values.begin(), values.end(), bytes_.begin() + base_ + offset);
  }
  void atP(long offset, Bytes values) {
    std::copy(values.begin(), values.end(), bytes_.begin() + offset);
  }
  void text(long offset, const std::string& value) {
    std::copy(value.begin(), value.end(), bytes_.begin() + base_ + offset);
  }
  RaceData decode() const {
    RaceData race;
    EXPECT_TRUE(decodeRaceDataSet(bytes_.data(), bytes_.size(), race));
    return race;
  }

 private:
  Bytes bytes_;
  long base_;
};

// Two pigeons and two poules in layout B; the dates of the race are day 14/5 and day 3/5.
RaceBlock layoutBRace() {
  RaceBlock block(false, 0x47 + 40 + 1 + 56);
  block.atP(1, {0x00, 0x0C, 0x01, 0x59});  // 12 and 345
  block.text(5, "CLUB TEST");
  block.at(0x21, {0x02});                               // the flag bits
  block.at(0x22, {14, 5, 7, 30, 15, 35, 5, 12, 5, 9});  // day 35 reads 3
  block.at(0x2E, {18, 0, 1, 0x00, 0x02});               // time 3 and the count
  block.at(0x36, {0xFE});                               // the signed byte: -2
  block.text(0x37, "MADRID");
  // Pigeon 0: sex 1, year 9, country B, letters "7AB", serial 123456, basketed (N = 0).
  block.at(0x47, {0x49, 0x2F, 0x2D, 0x9C, 0xD1,      0xE2,      0x40, 0xDE, 0xAD, 0xBE,
                  0xEF, 0,    28,   10,   0x40 | 20, 0x80 | 30, 0x00, 0x07, 0x00, 0x00});
  // Pigeon 1: sex 2, year 30 (reads 0), country XX, letters "0000", serial 42, arrived on the
  // 28th, which lies before day 3 of month 5: month 4.
  block.at(0x47 + 20, {0x9E, 0xDC, 0,         0,  0x00, 0x00, 42,   1,    2,    3,
                       4,    0,    0xE0 | 28, 23, 59,   58,   0x01, 0x00, 0x00, 0x03});
  // Poules: the count, then entries 28 bytes apart whose data run from their byte 1.
  Bytes first = {2, 0, 150, 0x40 | 3};
  for (std::uint8_t v = 1; v <= 25; ++v) first.push_back(v);
  block.at(0x47 + 40, first);
  block.at(0x47 + 40 + 28 + 1, {0, 7, 0x20 | 18});
  return block;
}

TEST(RaceDataSet, LayoutBHeaderFields) {
  const RaceData race = layoutBRace().decode();
  EXPECT_EQ(text(race.header, 0, 15), "1" + std::string(6, '\0') + "00120345");
  EXPECT_EQ(text(race.header, 15, 20), std::string("CLUB TEST") + std::string(11, '\0'));
  EXPECT_EQ(text(race.header, 35, 80), std::string(80, '\0'));
  EXPECT_EQ(text(race.header, 115, 30), "140507301503051205090305180001");
  EXPECT_EQ(text(race.header, 145, 19), "0002MADRID         ");
  EXPECT_EQ(race.count, 2u);
}

TEST(RaceDataSet, LayoutBPigeonRecords) {
  const RaceData race = layoutBRace().decode();
  // 1, signed byte, country, year, ring, sex, hex, N, date/time A, date/time B, blanks, value.
  EXPECT_EQ(text(race.pigeons[0], 0, 60), std::string("1-2B 097123456") + "1" + "DEADBEEF" +
                                              "0000" + "1405102030" + "0000000000" + "        " +
                                              "0007" + std::string(1, '\0'));
  EXPECT_EQ(text(race.pigeons[1], 0, 60), std::string("1-2XX000000042") + "2" + "01020304" +
                                              "0003" + "0000000000" + "2804235958" + "        " +
                                              "0256" + std::string(1, '\0'));
}

TEST(RaceDataSet, LayoutBPouleRecords) {
  const RaceData race = layoutBRace().decode();
  std::string values;
  for (int v = 1; v <= 25; ++v) values += (v < 10 ? "00" : "0") + std::to_string(v);
  EXPECT_EQ(text(race.poules[3], 0, 110),
            "1-20301500102" + values + std::string(21, '0') + std::string(1, '\0'));
  // The second entry starts on the first one's last byte (25) and holds nothing after its index.
  EXPECT_EQ(text(race.poules[18], 0, 13), "1-21800070101");
  EXPECT_EQ(race.poules[0][0], 0);
}

TEST(RaceDataSet, LayoutATakesTheBaseTwoBytesEarlier) {
  RaceBlock block(true, 0x47 - 2 + 20 + 1 + 35);
  block.atP(0x19, {'A', 'B', 'C', 'D', 'E', 'F'});
  block.at(0x22, {1, 6, 8, 0, 0});
  block.at(0x31, {0x00, 0x01});  // the count; P + 0x31 stays 0, which makes it layout A
  block.at(0x36, {0x05});
  block.at(0x47, {0x01, 0x2C, 0, 0, 0, 0, 1});
  Bytes poule = {1, 0x34, 0x12, 0xE0 | 5};
  for (std::uint8_t v = 0; v < 32; ++v) poule.push_back(static_cast<std::uint8_t>(200 + v % 50));
  block.at(0x47 + 20, poule);
  const RaceData race = block.decode();
  EXPECT_EQ(text(race.header, 1, 6), "ABCDEF");
  EXPECT_EQ(text(race.header, 115, 10), "0106080000");
  EXPECT_EQ(text(race.header, 145, 4), "0001");
  EXPECT_EQ(text(race.pigeons[0], 0, 15), "105B 0100000010");
  const std::string poule5 = text(race.poules[5], 0, 110);
  EXPECT_EQ(poule5.substr(0, 13), "1000546600007");  // no signed byte, no flag in layout A
  EXPECT_EQ(poule5.substr(13, 6), "200201");
  EXPECT_EQ(poule5.substr(13 + 31 * 3, 3), "231");
}

TEST(RaceDataSet, RingYearsSexesAndCountries) {
  struct Case {
    std::uint8_t first, second;
    const char* expected;  // characters 3..6 and 14
  };
  const Case cases[] = {
      {0x00, 0x00, "D 000"}, {0x01, 0x04, "ME010"}, {0x0E, 0x2C, "B 040"}, {0x0F, 0xDC, "XX050"},
      {0x1D, 0xE0, "  090"}, {0x1E, 0x00, "D 000"}, {0x1F, 0x00, "D 010"}, {0x49, 0x00, "D 091"},
      {0x89, 0x00, "D 092"}, {0xC9, 0x00, "D 090"},
  };
  for (const Case& c : cases) {
    RaceBlock block(false, 0x47 + 20 + 1);
    block.at(0x31, {0x00, 0x01});
    block.at(0x47, {c.first, c.second});
    const RaceData race = block.decode();
    EXPECT_EQ(text(race.pigeons[0], 3, 4) + text(race.pigeons[0], 14, 1), c.expected)
        << "first byte " << int{c.first};
  }
}

TEST(RaceDataSet, ShortBlocksFailAndEntriesBeyondTheDataAreNotStored) {
  RaceData race;
  const Bytes tooShort(72, 0);
  EXPECT_FALSE(decodeRaceDataSet(tooShort.data(), tooShort.size(), race));
  RaceBlock block(false, 0x47 + 20 + 10);  // announces 5 pigeons, holds one and a half
  block.at(0x31, {0x00, 0x05});
  block.at(0x47, {0x49});
  EXPECT_EQ(block.decode().count, 1u);
}

// The store as a host sees it through the exports.
class DataStoreExports : public ::testing::Test {
 protected:
  void SetUp() override {
    regOptionBase(0);
    dataStore().race.clear();
    dataStore().stock.clearRecords();
  }
  void TearDown() override { regOptionBase(0); }
};

TEST_F(DataStoreExports, NothingIsHandedOutBeforeARead) {
  std::uint8_t buffer[200] = {};
  EXPECT_EQ(getQuorData(buffer), 0);
  EXPECT_EQ(getPigeonData(buffer, 0), 0);
  EXPECT_EQ(getQuorPoulData(buffer, 1), 0);
  EXPECT_EQ(getQuorStockData(buffer, 0), 0);
  EXPECT_EQ(getQuorStockOwnerData(buffer), 0);
  EXPECT_EQ(getQuorData(nullptr), 0);
}

TEST_F(DataStoreExports, IndexBaseOneShiftsPigeonAndStockIndexes) {
  RaceData& race = dataStore().race;
  race.valid = true;
  race.count = 2;
  race.pigeons[0].fill('a');
  race.pigeons[1].fill('b');
  std::uint8_t record[kPigeonRecordSize] = {};
  EXPECT_EQ(getPigeonData(record, 0), 1);
  EXPECT_EQ(record[0], 'a');
  EXPECT_EQ(getPigeonData(record, 0x10001), 1);  // the low 16 bits count
  EXPECT_EQ(record[0], 'b');
  EXPECT_EQ(getPigeonData(record, 2), 0);

  ASSERT_EQ(regOptionBase(1), 1);
  EXPECT_EQ(getPigeonData(record, 1), 1);
  EXPECT_EQ(record[0], 'a');
  EXPECT_EQ(getPigeonData(record, 2), 1);
  EXPECT_EQ(record[0], 'b');
  EXPECT_EQ(getPigeonData(record, 0), 0);
  EXPECT_EQ(getPigeonData(record, 3), 0);
  EXPECT_EQ(regOptionBase(2), 0);
  EXPECT_TRUE(optionBase());

  const std::string stock(kStockRecordSize, 's');
  EXPECT_EQ(setQuorStockData(stock.data(), 42), 1);  // record 41
  EXPECT_EQ(dataStore().stock.records[41][0], 's');
  EXPECT_EQ(text(dataStore().stock.owner, kOwnerCountAt, 4), "0042");
  EXPECT_EQ(setQuorStockData(stock.data(), 0), 0);
  EXPECT_EQ(setQuorStockData(stock.data(), 1002), 0);
  dataStore().stock.valid = true;
  dataStore().stock.count = 42;
  std::uint8_t stockRecord[kStockRecordSize] = {};
  EXPECT_EQ(getQuorStockData(stockRecord, 42), 1);
  EXPECT_EQ(stockRecord[0], 's');
  EXPECT_EQ(getQuorStockData(stockRecord, 0), 0);
}

TEST_F(DataStoreExports, SetExportsBoundTheirIndexAndCountTheRecords) {
  const std::string stock(kStockRecordSize, 's');
  const std::string recovery(kRecoveryRecordSize, 'r');
  EXPECT_EQ(setQuorStockData(stock.data(), 41), 1);
  EXPECT_EQ(text(dataStore().stock.owner, kOwnerCountAt, 4), "0042");
  EXPECT_EQ(setQuorStockData(stock.data(), 1001), 0);
  EXPECT_EQ(setQuorRecoveryData(recovery.data(), 1000), 1);
  EXPECT_EQ(text(dataStore().stock.owner, kOwnerCountAt, 4), "1001");
  EXPECT_EQ(dataStore().recovery[1000][47], 'r');
  EXPECT_EQ(setQuorRecoveryData(recovery.data(), 1001), 0);
  EXPECT_EQ(setQuorRecoveryData(nullptr, 1), 0);

  RaceData& race = dataStore().race;
  race.valid = true;
  std::uint8_t poule[kPouleRecordSize];
  EXPECT_EQ(getQuorPoulData(poule, 18), 1);
  EXPECT_EQ(getQuorPoulData(poule, 19), 0);
  EXPECT_EQ(getQuorPoulData(poule, 0x100), 1);  // the low 8 bits: 0
}

TEST_F(DataStoreExports, OwnerNumberFieldsAreWrittenBackAsNineDigits) {
  struct Case {
    const char* field;
    std::string expected;
  };
  const Case cases[] = {
      {" 037.5    ", std::string("000000375") + '\0'},
      {"+12,5     ", std::string("000000125") + '\0'},
      {"12        ", std::string("000000012") + '\0'},
      {"  -3      ", std::string("-00000003") + '\0'},
      {"          ", std::string("000000000") + '\0'},
      {"123456789.", std::string("123456789") + '\0'},
      {"1234567890", "1234567890"},  // a tenth digit fills the field, the next one stays
  };
  for (const Case& c : cases) {
    std::string owner(kOwnerRecordSize, 'o');
    std::memcpy(owner.data() + 88, c.field, 10);
    std::memcpy(owner.data() + 98, c.field, 10);
    ASSERT_EQ(setQuorStockOwnerData(owner.data()), 1);
    EXPECT_EQ(text(dataStore().stock.owner, 88, 10), c.expected) << c.field;
    EXPECT_EQ(text(dataStore().stock.owner, 98, 10), c.expected) << c.field;
    EXPECT_EQ(dataStore().stock.owner[108], 'o');
  }
}

TEST_F(DataStoreExports, HeaderDateTimesWithoutADateReadAsZeros) {
  RaceData& race = dataStore().race;
  race.valid = true;
  std::memcpy(race.header.data() + 115, "010100000014051230000101000000", 30);
  std::uint8_t header[kRaceHeaderSize];
  ASSERT_EQ(getQuorData(header), 1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 115, 30),
            "000000000014051230000000000000");
}

TEST(ClockReplies, QuorAnswersStoreOnlyWholeRecordsThatBeginWithOne) {
  std::string answer(kOwnerRecordSize, '1');
  answer.replace(kOwnerCountAt, 4, "0004");
  answer += std::string(kStockRecordSize, '1') + std::string(kStockRecordSize, '0') +
            std::string(kStockRecordSize, '1') + std::string(10, '1');
  StockData stock;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(answer.data());
  ASSERT_TRUE(storeQuorStockAnswer(bytes, answer.size(), stock));
  EXPECT_EQ(stock.count, 2u);
  EXPECT_EQ(stock.records[1][0], 0);
  EXPECT_EQ(stock.records[2][0], '1');
  EXPECT_EQ(stock.records[3][0], 0);
  RaceData race;
  EXPECT_FALSE(storeQuorRaceAnswer(bytes + kOwnerRecordSize + kStockRecordSize, 5, race));
}

TEST(ClockReplies, TolvexFramesMustAnswerTheCodeAsked) {
  const Bytes reply = {0x6C, 0x21, 0xCE, 0x03, 0x04, 'a', 'b', 0x00};
  std::uint8_t data[kStockRecordSize];
  EXPECT_FALSE(tolvexReplyData(reply.data(), reply.size(), tolvex::kAskPigeon, data, 2));
  EXPECT_TRUE(tolvexReplyData(reply.data(), reply.size(), tolvex::kAskStock, data, 4));
  EXPECT_EQ(data[1], 'b');
  EXPECT_EQ(data[3], 0);
  EXPECT_FALSE(
      tolvexReplyRecord(reply.data(), reply.size(), tolvex::kAskStock, data, kStockRecordSize));
}

// What ends a wait for an answer at once: exactly the bytes the answer announces, and for a
// Tolvex frame a matching checksum; anything short, longer or damaged waits for the quiet line.
TEST(ClockReplies, AnswersAreWholeAtExactlyTheLengthTheyAnnounce) {
  std::string stock(kOwnerRecordSize, '1');
  stock.replace(kOwnerCountAt, 4, "0002");
  stock += std::string(2 * kStockRecordSize, '1');
  std::string race(kRaceHeaderSize, '1');
  race.replace(kRaceCountAt, 4, "0001");
  race += std::string(kPigeonRecordSize + 18 * kPouleRecordSize, '1');
  Bytes frame = {0x6C, 0x21, 0xCE, 0x03, 0x04, 'a', 'b'};
  frame.push_back(tolvex::checksum(frame.data(), frame.size()));
  Bytes damaged = frame;
  damaged[5] = 'x';

  using Whole = bool (*)(const std::uint8_t*, std::size_t);
  struct Case {
    const char* what;
    Whole whole;
    std::string bytes;
    bool expected;
  };
  const std::string frameText(frame.begin(), frame.end());
  const Case cases[] = {
      {"stock list", quorStockAnswerWhole, stock, true},
      {"stock list short of a byte", quorStockAnswerWhole, stock.substr(0, stock.size() - 1), false},
      {"stock list and a byte more", quorStockAnswerWhole, stock + "1", false},
      {"owner record cut before its count", quorStockAnswerWhole, stock.substr(0, 100), false},
      {"stock list not beginning with 1", quorStockAnswerWhole, ">" + stock.substr(1), false},
      {"race", quorRaceAnswerWhole, race, true},
      {"race short of its last poule", quorRaceAnswerWhole, race.substr(0, race.size() - 110),
       false},
      {"Tolvex frame", tolvexReplyWhole, frameText, true},
      {"Tolvex frame with a wrong checksum", tolvexReplyWhole,
       std::string(damaged.begin(), damaged.end()), false},
      {"Tolvex frame and the start of another", tolvexReplyWhole, frameText + "\x6C", false},
      {"Tolvex frame short of its checksum", tolvexReplyWhole, frameText.substr(0, 7), false},
  };
  for (const Case& c : cases) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(c.bytes.data());
    EXPECT_EQ(c.whole(bytes, c.bytes.size()), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace quorlink
