// The liberation point table: names of up to 99 release points, numbered 1..99, held until they
// are sent to a clock. An entry is 17 bytes: its number (Quor: 0x80 + number), then a name field
// of 16 bytes padded with zero bytes. An entry whose first byte is 0 is unset.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "quorlink.h"

namespace quorlink {

inline constexpr std::size_t kLiberationEntrySize = 17;
inline constexpr std::size_t kLiberationPoints =
    QUORLINK_LIBERATION_POINTS_MAX + 1;  // entry 0 is never sent

using LiberationEntry = std::array<std::uint8_t, kLiberationEntrySize>;

class LiberationTable {
 public:
  // A Quor entry keeps up to 15 characters of the name, a Tolvex entry up to 16. point is 1..99.
  void setQuor(std::size_t point, const char* name);
  void setTolvex(std::size_t point, const char* name);
  // The entry as it is sent: an unset one as 0x80 + its number, a blank and zero bytes.
  LiberationEntry entryToSend(std::size_t point) const;
  void clear() { entries_ = {}; }

 private:
  void set(std::size_t point, std::uint8_t first, const char* name, std::size_t nameLength);
  std::array<LiberationEntry, kLiberationPoints> entries_{};
};

LiberationTable& liberationTable();

}  // namespace quorlink
