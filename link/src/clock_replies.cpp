#include "clock_replies.h"

#include <algorithm>
#include <cstring>

#include "tolvex_frame.h"

namespace quorlink {

namespace {

constexpr std::size_t kTolvexDataAt = 5;

// Copies size bytes from offset at of the reply, with zero bytes where the reply ends first.
void copyPadded(const std::uint8_t* reply, std::size_t length, std::size_t at, std::uint8_t* out,
                std::size_t size) {
  const std::size_t available = at < length ? std::min(size, length - at) : 0;
  if (available > 0) std::memcpy(out, reply + at, available);
  std::memset(out + available, 0, size - available);
}

bool holds(std::size_t length, std::size_t at, std::size_t size) {
  return at <= length && size <= length - at;
}

std::size_t recordsAnnounced(const std::uint8_t* countField) {
  const long long total = announcedCount(countField);
  return total < 0 ? 0 : static_cast<std::size_t>(total);
}

// A Quor answer that begins with "1" and holds its count field; the bytes it then announces.
bool announcedLength(const std::uint8_t* reply, std::size_t length, std::size_t countAt,
                     std::size_t fixed, std::size_t perRecord, std::size_t& announced) {
  if (length < countAt + kCountWidth || reply[0] != '1') return false;
  announced = fixed + perRecord * recordsAnnounced(reply + countAt);
  return true;
}

}  // namespace

bool quorStockAnswerWhole(const std::uint8_t* reply, std::size_t length) {
  std::size_t announced = 0;
  return announcedLength(reply, length, kOwnerCountAt, kOwnerRecordSize, kStockRecordSize,
                         announced) &&
         length == announced;
}

bool quorRaceAnswerWhole(const std::uint8_t* reply, std::size_t length) {
  std::size_t announced = 0;
  return announcedLength(reply, length, kRaceCountAt,
                         kRaceHeaderSize + kPouleRecordSize * (kPouleSlots - 1), kPigeonRecordSize,
                         announced) &&
         length == announced;
}

bool tolvexReplyWhole(const std::uint8_t* reply, std::size_t length) {
  return length >= 5 && std::equal(tolvex::kReplyStart, tolvex::kReplyStart + 3, reply) &&
         length == 5 + std::size_t{reply[3]} &&
         tolvex::checksum(reply, length - 1) == reply[length - 1];
}

bool storeQuorStockAnswer(const std::uint8_t* reply, std::size_t length, StockData& stock) {
  if (length == 0 || reply[0] != '1') return false;
  copyPadded(reply, length, 0, stock.owner.data(), kOwnerRecordSize);
  const std::size_t total =
      std::min(recordsAnnounced(stock.owner.data() + kOwnerCountAt), kMaxRecords);
  for (std::size_t i = 0; i < total; ++i) {
    const std::size_t at = kOwnerRecordSize + kStockRecordSize * i;
    if (!holds(length, at, kStockRecordSize)) break;
    if (reply[at] != '1') continue;
    std::memcpy(stock.records[i].data(), reply + at, kStockRecordSize);
    ++stock.count;
  }
  return true;
}

bool storeQuorRaceAnswer(const std::uint8_t* reply, std::size_t length, RaceData& race) {
  if (length == 0 || reply[0] != '1') return false;
  copyPadded(reply, length, 0, race.header.data(), kRaceHeaderSize);
  // The poule records follow all the pigeon records announced, held or not.
  const std::size_t total = recordsAnnounced(race.header.data() + kRaceCountAt);
  for (std::size_t i = 0; i < std::min(total, kMaxRecords); ++i) {
    const std::size_t at = kRaceHeaderSize + kPigeonRecordSize * i;
    if (!holds(length, at, kPigeonRecordSize)) break;
    if (reply[at] != '1') continue;
    std::memcpy(race.pigeons[i].data(), reply + at, kPigeonRecordSize);
    ++race.count;
  }
  const std::size_t poulesAt = kRaceHeaderSize + kPigeonRecordSize * total;
  for (std::size_t j = 1; j < kPouleSlots; ++j) {
    const std::size_t at = poulesAt + kPouleRecordSize * (j - 1);
    if (!holds(length, at, kPouleRecordSize)) break;
    std::memcpy(race.poules[j].data(), reply + at, kPouleRecordSize);
  }
  return true;
}

bool tolvexReplyData(const std::uint8_t* reply, std::size_t length, std::uint8_t code,
                     std::uint8_t* data, std::size_t size) {
  if (length <= 4 || reply[4] != code) return false;
  copyPadded(reply, length, kTolvexDataAt, data, size);
  return true;
}

bool tolvexReplyRecord(const std::uint8_t* reply, std::size_t length, std::uint8_t code,
                       std::uint8_t* data, std::size_t size) {
  return holds(length, kTolvexDataAt, size) && tolvexReplyData(reply, length, code, data, size);
}

}  // namespace quorlink
