// The rows of a table brought into a register, checked as the register's screens check what is
// typed: every cell trimmed, the key (a licence or a contest code, the first field) present, of
// five characters at most and not yet taken, in the register or by an earlier row; a date field
// empty or a day/month/year date.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "column_mapping.h"

namespace kvt {

enum class RowRefusal {
  None,
  KeyEmpty,        // no key
  KeyTooLong,      // a key of more than five characters, which the reading screen cannot find
  KeyInRegister,   // the register has the key already (trimmed, letter case not counting)
  KeyTwiceInFile,  // an earlier row of the table has it
  NoDate,          // a date field holds a text that is no date
};

struct CheckedRow {
  std::vector<std::u16string> cells;  // one per field, as they will be stored
  RowRefusal refusal = RowRefusal::None;
  std::size_t field = 0;      // the field refused (the key, or the date that is none)
  std::size_t earlierRow = 0;  // for KeyTwiceInFile: the index of the row that has the key
};

// The longest key the reading screen can look up.
inline constexpr std::size_t kLongestKey = 5;

// Each row's cells, one per field in the fields' order (a missing cell counts as empty), checked
// against the keys the register holds. A date is stored as dd/mm/yyyy; an empty one, or the empty
// mask "__/__/____" of an older register, as empty (no date).
std::vector<CheckedRow> checkRows(const std::vector<std::vector<std::u16string>>& rows,
                                  const std::vector<RegisterField>& fields,
                                  const std::vector<std::u16string>& registerKeys);

// The table's cells that feed the fields: the cell of the mapped column of each row (mapping as
// presetMapping gives it; -1 or a column the row does not reach gives an empty cell).
std::vector<std::vector<std::u16string>> mappedRows(
    const std::vector<std::vector<std::u16string>>& table, const std::vector<int>& mapping);

}  // namespace kvt
