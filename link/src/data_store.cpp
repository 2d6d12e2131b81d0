#include "data_store.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

#include "record_text.h"

namespace quorlink {

namespace {

std::atomic<bool> indexBaseOne{false};

template <typename Table>
void zero(Table& table) {
  for (auto& record : table) record.fill(0);
}

// The host's index in the store's terms: with the index base 1, one less, in 16-bit arithmetic
// (so 0 becomes 65535, which no table holds).
std::uint16_t storeIndex(std::uint16_t hostIndex) {
  return optionBase() ? static_cast<std::uint16_t>(hostIndex - 1) : hostIndex;
}

template <std::size_t Size>
void copyOut(const Record<Size>& record, std::uint8_t* destination) {
  std::memcpy(destination, record.data(), Size);
}

// The last record set defines how many records a write sends.
void setOwnerCount(std::uint16_t index) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04d", index + 1);
  std::memcpy(dataStore().stock.owner.data() + kOwnerCountAt, digits, kCountWidth);
}

}  // namespace

void RaceData::clear() {
  header.fill(0);
  zero(pigeons);
  zero(poules);
  valid = false;
  count = 0;
}

void StockData::clearRecords() {
  zero(records);
  valid = false;
  count = 0;
}

DataStore& dataStore() {
  static auto* store = new DataStore;
  return *store;
}

bool setOptionBase(std::int32_t base) {
  if (base != 0 && base != 1) return false;
  indexBaseOne = base == 1;
  return true;
}

bool optionBase() {
  return indexBaseOne;
}

long long announcedCount(const std::uint8_t* countField) {
  return leadingNumber(countField, kCountWidth);
}

void normaliseDateTimes(Record<kRaceHeaderSize>& header) {
  static constexpr char kNoDate[] = "0101000000";
  for (const std::size_t at : {115, 125, 135}) {
    if (std::memcmp(header.data() + at, kNoDate, 10) == 0) std::memset(header.data() + at, '0', 10);
  }
}

void normaliseNumberField(std::uint8_t* field) {
  constexpr std::size_t kWidth = 10;
  std::uint8_t* const end = field + kWidth;
  if (std::uint8_t* plus = std::find(field, end, '+'); plus != end) *plus = ' ';
  if (std::uint8_t* comma = std::find(field, end, ','); comma != end) *comma = '.';
  if (std::uint8_t* point = std::find(field, end, '.'); point != end) {
    // The tenth after the point takes its place; a point in the last place has none.
    const bool hasTenth = point + 1 != end;
    *point = hasTenth ? point[1] : 0;
    if (hasTenth) point[1] = 0;
  }
  const long long value = leadingNumber(field, kWidth);
  // Nine digits and a zero byte; a number of ten characters fills the field, without the zero.
  writeField(field, kWidth, "%09lld", value);
}

bool copyRaceHeader(std::uint8_t* destination) {
  RaceData& race = dataStore().race;
  if (!race.valid) return false;
  normaliseDateTimes(race.header);
  copyOut(race.header, destination);
  return true;
}

bool copyPigeonRecord(std::uint8_t* destination, std::uint16_t index) {
  RaceData& race = dataStore().race;
  const std::uint16_t at = storeIndex(index);
  if (!race.valid || at >= race.count) return false;
  normaliseDateTimes(race.header);
  copyOut(race.pigeons[at], destination);
  return true;
}

bool copyPouleRecord(std::uint8_t* destination, std::uint8_t index) {
  const RaceData& race = dataStore().race;
  if (!race.valid || index >= kPouleSlots) return false;
  copyOut(race.poules[index], destination);
  return true;
}

bool copyOwnerRecord(std::uint8_t* destination) {
  const StockData& stock = dataStore().stock;
  if (!stock.valid) return false;
  copyOut(stock.owner, destination);
  return true;
}

bool copyStockRecord(std::uint8_t* destination, std::uint16_t index) {
  const StockData& stock = dataStore().stock;
  const std::uint16_t at = storeIndex(index);
  if (!stock.valid || at >= stock.count) return false;
  copyOut(stock.records[at], destination);
  return true;
}

void storeOwnerRecord(const std::uint8_t* source) {
  Record<kOwnerRecordSize>& owner = dataStore().stock.owner;
  std::memcpy(owner.data(), source, kOwnerRecordSize);
  normaliseNumberField(owner.data() + 88);
  normaliseNumberField(owner.data() + 98);
}

bool storeStockRecord(const std::uint8_t* source, std::uint16_t index) {
  const std::uint16_t at = storeIndex(index);
  if (at >= kMaxRecords) return false;
  std::memcpy(dataStore().stock.records[at].data(), source, kStockRecordSize);
  setOwnerCount(at);
  return true;
}

bool storeRecoveryRecord(const std::uint8_t* source, std::uint16_t index) {
  if (index >= kMaxRecords) return false;
  std::memcpy(dataStore().recovery[index].data(), source, kRecoveryRecordSize);
  setOwnerCount(index);
  return true;
}

}  // namespace quorlink
