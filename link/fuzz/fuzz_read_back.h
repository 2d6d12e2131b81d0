// Reads everything the data store holds back out through the get exports, one index past the end
// too, in both index bases, so that a stored count that outgrows its records shows.
#pragma once

#include <cstdint>

#include "data_store.h"

namespace quorlink::fuzz {

inline void readRaceBack() {
  std::uint8_t record[kRaceHeaderSize];
  copyRaceHeader(record);
  for (std::int32_t base = 0; base < 2; ++base) {
    setOptionBase(base);
    for (std::uint32_t i = 0; i <= dataStore().race.count + 1; ++i) {
      copyPigeonRecord(record, static_cast<std::uint16_t>(i));
    }
  }
  for (std::uint8_t j = 0; j <= kPouleSlots; ++j) copyPouleRecord(record, j);
}

inline void readStockBack() {
  std::uint8_t record[kOwnerRecordSize];
  copyOwnerRecord(record);
  for (std::int32_t base = 0; base < 2; ++base) {
    setOptionBase(base);
    for (std::uint32_t i = 0; i <= dataStore().stock.count + 1; ++i) {
      copyStockRecord(record, static_cast<std::uint16_t>(i));
    }
  }
}

}  // namespace quorlink::fuzz
