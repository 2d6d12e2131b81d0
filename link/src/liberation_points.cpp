#include "liberation_points.h"

#include "quorlink.h"

namespace quorlink {

void LiberationTable::set(std::size_t point, std::uint8_t first, const char* name,
                          std::size_t nameLength) {
  LiberationEntry& entry = entries_[point];
  entry.fill(0);
  entry[0] = first;
  // The host's name is read only as far as its terminating zero.
  for (std::size_t i = 0; name != nullptr && i < nameLength && name[i] != 0; ++i) {
    entry[1 + i] = static_cast<std::uint8_t>(name[i]);
  }
}

void LiberationTable::setQuor(std::size_t point, const char* name) {
  set(point, static_cast<std::uint8_t>(0x80 + point), name, QUORLINK_QUOR_POINT_NAME_LENGTH);
}

void LiberationTable::setTolvex(std::size_t point, const char* name) {
  set(point, static_cast<std::uint8_t>(point), name, QUORLINK_TOLVEX_POINT_NAME_LENGTH);
}

LiberationEntry LiberationTable::entryToSend(std::size_t point) const {
  LiberationEntry entry = entries_[point];
  if (entry[0] == 0) {
    entry.fill(0);
    entry[0] = static_cast<std::uint8_t>(0x80 + point);
    entry[1] = ' ';
  }
  return entry;
}

LiberationTable& liberationTable() {
  static auto* table = new LiberationTable;
  return *table;
}

}  // namespace quorlink
