// The clock data store: what the command exchanges read out of a clock (a race: its header, pigeon
// and poule records; a stock list: its owner record and stock records) and what the host puts in
// before writing (stock, recovery records). It outlives a connection; a read clears what the last
// read of its kind left. Only the host's thread touches it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "quorlink.h"

namespace quorlink {

inline constexpr std::size_t kRaceHeaderSize = QUORLINK_RACE_HEADER_SIZE;
inline constexpr std::size_t kPigeonRecordSize = QUORLINK_PIGEON_RECORD_SIZE;
inline constexpr std::size_t kPouleRecordSize = QUORLINK_POULE_RECORD_SIZE;
inline constexpr std::size_t kOwnerRecordSize = QUORLINK_OWNER_RECORD_SIZE;
inline constexpr std::size_t kStockRecordSize = QUORLINK_STOCK_RECORD_SIZE;
inline constexpr std::size_t kRecoveryRecordSize = QUORLINK_RECOVERY_RECORD_SIZE;
inline constexpr std::size_t kMaxRecords = QUORLINK_MAX_RECORDS;    // pigeon, stock, recovery
inline constexpr std::size_t kPouleSlots = QUORLINK_POULE_RECORDS;  // poule indexes 0..18

// Where the record counts stand: characters 145..148 of a race header, 108..111 of an owner
// record, four decimal digits each.
inline constexpr std::size_t kRaceCountAt = QUORLINK_RACE_COUNT_OFFSET;
inline constexpr std::size_t kOwnerCountAt = QUORLINK_OWNER_COUNT_OFFSET;
inline constexpr std::size_t kCountWidth = QUORLINK_COUNT_WIDTH;

template <std::size_t Size>
using Record = std::array<std::uint8_t, Size>;

struct RaceData {
  Record<kRaceHeaderSize> header{};
  std::array<Record<kPigeonRecordSize>, kMaxRecords> pigeons{};
  std::array<Record<kPouleRecordSize>, kPouleSlots> poules{};
  bool valid = false;
  std::uint32_t count = 0;  // pigeon records stored by the last race read
  void clear();
};

struct StockData {
  Record<kOwnerRecordSize> owner{};
  std::array<Record<kStockRecordSize>, kMaxRecords> records{};
  bool valid = false;
  std::uint32_t count = 0;  // stock records stored by the last stock read
  // Clears the stock records and the flag; the owner record is the reads' to replace.
  void clearRecords();
};

struct DataStore {
  RaceData race;
  StockData stock;
  std::array<Record<kRecoveryRecordSize>, kMaxRecords> recovery{};
};

DataStore& dataStore();

// 1: record indexes given by the host count from 1; 0: from 0.
bool setOptionBase(std::int32_t base);
bool optionBase();

// The count of records a race header or an owner record announces.
long long announcedCount(const std::uint8_t* countField);

// Header date-time fields that read "0101000000" (no date) become ten "0".
void normaliseDateTimes(Record<kRaceHeaderSize>& header);
// An owner record's number field of ten characters: "+" and "," taken as blank and decimal
// point, the one digit after the point kept, written back as nine digits.
void normaliseNumberField(std::uint8_t* field);

// The get and set exports. Indexes are the host's (the index base applied here); false when there
// is nothing to copy or the index is out of range.
bool copyRaceHeader(std::uint8_t* destination);
bool copyPigeonRecord(std::uint8_t* destination, std::uint16_t index);
bool copyPouleRecord(std::uint8_t* destination, std::uint8_t index);
bool copyOwnerRecord(std::uint8_t* destination);
bool copyStockRecord(std::uint8_t* destination, std::uint16_t index);
void storeOwnerRecord(const std::uint8_t* source);
bool storeStockRecord(const std::uint8_t* source, std::uint16_t index);
bool storeRecoveryRecord(const std::uint8_t* source, std::uint16_t index);

}  // namespace quorlink
