// The packed binary form of a race (the Quor answer to ">5") turned into the text records of a
// race read. Offsets are those of the clock's block; a byte beyond the answer reads as 0, and a
// pigeon or poule entry is stored only when the answer holds it whole.
#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <string>

#include "clock_replies.h"
#include "record_text.h"

namespace quorlink {

namespace {

constexpr std::size_t kMinimumLength = 73;
constexpr std::size_t kPigeonEntrySize = 20;
constexpr int kEntriesAt = 0x47;

constexpr const char* kRingCountries[64] = {
    "D",  "ME", "AT", "CU", "CN", "NE", "IE", "P",  "ES", "NL", "F",  "B",  "PL", "DK", "UK", "CR",
    "WH", "HU", "NH", "JP", "KO", "KT", "MA", "PR", "NO", "SU", "S",  "CR", "RO", "TA", "A",  "C",
    "I",  "WA", "YU", "IU", "IH", "DB", "DY", "RP", "DR", "SA", "TH", "AU", "TR", "BU", "L",  "MO",
    "RE", "SV", "SL", "TJ", "CH", "US", "TW", "XX", "",   "",   "",   "",   "",   "",   "",   ""};

// The answer, read at offsets from a base that may lie before its first byte (layout A).
class Block {
 public:
  Block(const std::uint8_t* data, std::size_t length) : data_(data), length_(length) {}

  std::uint8_t byte(long long at) const {
    return at >= 0 && static_cast<std::size_t>(at) < length_ ? data_[at] : 0;
  }
  // A 16-bit big-endian value, read as signed.
  int word(long long at) const {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(byte(at) << 8 | byte(at + 1)));
  }
  bool holds(long long at, std::size_t size) const {
    return at >= 0 && static_cast<std::size_t>(at) <= length_ &&
           size <= length_ - static_cast<std::size_t>(at);
  }
  const std::uint8_t* at(long long offset) const { return data_ + offset; }

 private:
  const std::uint8_t* data_;
  std::size_t length_;
};

// What every pigeon and poule record takes from the race block.
struct RaceDates {
  int signedByte;  // b + 0x36
  int day1, month1, day2, month2;
};

int dayOf(std::uint8_t byte) {
  return byte > 31 ? byte & 0x1F : byte;
}

// Writes a record's fields one after another, each cut to its place in the record.
class RecordWriter {
 public:
  RecordWriter(std::uint8_t* record, std::size_t size) : record_(record), size_(size) {}

  QUORLINK_PRINTF(3, 4) void field(std::size_t width, const char* format, ...) {
    if (next_ + width > size_) return;
    std::va_list arguments;
    va_start(arguments, format);
    writeFieldList(record_ + next_, width, format, arguments);
    va_end(arguments);
    next_ += width;
  }

 private:
  std::uint8_t* record_;
  std::size_t size_;
  std::size_t next_ = 0;
};

// The four ring symbols: digits for 0..9, capitals for 10..35, blanks above; leading blanks go.
std::string ringLetters(const std::uint8_t* ring) {
  const unsigned w = ring[2] * 256u + ring[3];
  const unsigned a = (ring[1] & 0x03u) * 512u + (w >> 7);
  const unsigned b = (w & 0x7Fu) * 16u + (ring[4] >> 4);
  std::string letters;
  for (const unsigned symbol : {a / 45, a % 45, b / 45, b % 45}) {
    char c = ' ';
    if (symbol < 10)
      c = static_cast<char>('0' + symbol);
    else if (symbol < 36)
      c = static_cast<char>('A' + symbol - 10);
    if (c == ' ' && letters.empty()) continue;
    letters += c;
  }
  return letters;
}

long ringYear(std::uint8_t first) {
  long year = (first & 0x1F) + 70;
  if (year == 70)
    year = 0;
  else if (year < 85)
    year += 30;
  if (year >= 100) year -= 100;
  return year;
}

char sexCode(std::uint8_t first) {
  const int bits = first >> 6;
  return bits == 1 ? '1' : bits == 2 ? '2' : '0';
}

void decodePigeon(const std::uint8_t* e, const RaceDates& dates, std::uint8_t* record) {
  const std::string letters = ringLetters(e);
  const long letterNumber = static_cast<long>(
      leadingNumber(reinterpret_cast<const std::uint8_t*>(letters.data()), letters.size()));
  const long serial = e[6] + e[5] * 256L + (e[4] & 0x0F) * 65536L;
  const int n = static_cast<std::int16_t>(static_cast<std::uint16_t>(e[0x12] << 8 | e[0x13]));
  const int last = static_cast<std::int16_t>(static_cast<std::uint16_t>(e[0x10] << 8 | e[0x11]));
  const long eventTime = e[0x0D] * 10000L + (e[0x0E] & 0x3F) * 100L + (e[0x0F] & 0x3F);

  RecordWriter out(record, kPigeonRecordSize);
  out.field(1, "1");
  out.field(2, "%02d", dates.signedByte);
  out.field(2, "%-2s", kRingCountries[(e[1] >> 2) & 0x3F]);
  out.field(2, "%02ld", ringYear(e[0]) % 10);
  out.field(7, "%01ld%06ld", letterNumber, serial);
  out.field(1, "%c", sexCode(e[0]));
  out.field(8, "%02X%02X%02X%02X", e[7], e[8], e[9], e[10]);
  out.field(4, "%04d", n);
  if (n == 0) {
    out.field(4, "%02d%02d", dates.day1, dates.month1);
    out.field(6, "%06ld", eventTime);
    out.field(4, "0000");
    out.field(6, "000000");
  } else {
    const int day = e[0x0C] & 0x1F;
    const int month = day > dates.day2 ? dates.month2 - 1 : dates.month2;
    out.field(4, "0000");
    out.field(6, "000000");
    out.field(4, "%02d%02d", day, month);
    out.field(6, "%06ld", eventTime);
  }
  out.field(8, "%8s", " ");
  out.field(4, "%04d", last);
  record[kPigeonRecordSize - 1] = 0;
}

void decodePoule(const Block& block, long long entry, bool layoutA, int flag,
                 const RaceDates& dates, RaceData& race) {
  const std::uint8_t indexByte = block.byte(entry + 3);
  const int index = indexByte & 0x1F;
  if (index >= static_cast<int>(kPouleSlots)) return;
  const int number = layoutA ? static_cast<std::int16_t>(static_cast<std::uint16_t>(
                                   block.byte(entry + 1) + 256 * block.byte(entry + 2)))
                             : block.byte(entry + 2);
  std::uint8_t* record = race.poules[index].data();
  RecordWriter out(record, kPouleRecordSize);
  out.field(1, "1");
  out.field(2, "%02d", layoutA ? 0 : dates.signedByte);
  out.field(2, "%02d", index);
  out.field(4, "%04d", number);
  out.field(1, "0");
  out.field(1, "%d", flag);
  out.field(2, "%02d", (indexByte & 0xF0) >> 5);
  const int values = layoutA ? 32 : 25;
  for (int v = 0; v < 32; ++v) out.field(3, "%03d", v < values ? block.byte(entry + 4 + v) : 0);
  record[kPouleRecordSize - 1] = 0;
}

}  // namespace

bool decodeRaceDataSet(const std::uint8_t* reply, std::size_t length, RaceData& race) {
  if (length < kMinimumLength) return false;
  const Block block(reply, length);
  std::uint8_t* header = race.header.data();
  header[0] = '1';
  writeField(header + 7, 8, "%04d%04d", block.word(1), block.word(3));
  std::memset(header + 15, 0, 20);
  for (int i = 0; i < 20 && reply[5 + i] != 0; ++i) header[15 + i] = reply[5 + i];

  const bool layoutA = block.word(0x31) == 0;
  if (layoutA) std::memcpy(header + 1, reply + 0x19, 6);
  const long long b = layoutA ? -2 : 0;

  RaceDates dates{static_cast<std::int8_t>(block.byte(b + 0x36)), dayOf(block.byte(b + 0x22)),
                  block.byte(b + 0x23), dayOf(block.byte(b + 0x27)), block.byte(b + 0x28)};
  auto timeAt = [&](long long at) {
    return block.byte(at) * 10000 + block.byte(at + 1) * 100 + block.byte(at + 2);
  };
  writeField(header + 115, 4, "%04d", dates.day1 * 100 + dates.month1);
  writeField(header + 119, 6, "%06d", timeAt(b + 0x24));
  writeField(header + 125, 4, "%04d", dates.day2 * 100 + dates.month2);
  writeField(header + 129, 6, "%06d", timeAt(b + 0x29));
  writeField(header + 135, 4, "%04d", dates.day2 * 100 + dates.month2);
  writeField(header + 139, 6, "%06d", timeAt(b + 0x2E));
  const int count = block.word(b + 0x31);
  writeField(header + kRaceCountAt, kCountWidth, "%04d", count);
  char text[16] = {};
  for (int i = 0; i < 15 && block.byte(b + 0x37 + i) != 0; ++i) {
    text[i] = static_cast<char>(block.byte(b + 0x37 + i));
  }
  writeField(header + 149, 15, "%-15s", text);

  for (int i = 0; i < count; ++i) {
    const long long entry = b + kEntriesAt + kPigeonEntrySize * i;
    if (static_cast<std::size_t>(i) >= kMaxRecords || !block.holds(entry, kPigeonEntrySize)) break;
    decodePigeon(block.at(entry), dates, race.pigeons[i].data());
    ++race.count;
  }

  const long long poules = b + kEntriesAt + kPigeonEntrySize * static_cast<long long>(count);
  const int stride = layoutA ? 35 : 28;
  const int flag = !layoutA && (block.byte(b + 0x21) & 0x03) == 2 ? 1 : 0;
  const int entries = block.byte(poules);
  for (int k = 0; k < entries; ++k) {
    const long long entry = poules + stride * k;
    // An entry's bytes are 1..stride from its start.
    if (!block.holds(entry, stride + 1)) break;
    decodePoule(block, entry, layoutA, flag, dates, race);
  }
  return true;
}

}  // namespace quorlink
