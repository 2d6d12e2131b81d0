// Which column of a table brought in from another program feeds which field of a register: the
// column that carries the field's own name in the club's database, else the closest header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvt {

struct RegisterField {
  std::u16string_view column;  // the field's name in the club's database ("slicencia")
  std::u16string_view label;   // what the user calls it ("Licencia")
  // Other headers a spreadsheet may give it ("Nº Reloj", "Numero de reloj").
  std::vector<std::u16string_view> otherNames;
  bool date = false;
};

// For each field, the index of the header that feeds it, or -1 when none is close enough. A
// header feeds one field at most: the closest pairs are made first. A header that is a field's
// own name (letter case not counting) always feeds it; then one that is its label or another of
// its names (accents, case, blanks and signs not counting); then one that holds such a name, or
// differs from one by a slip of a letter or two.
std::vector<int> presetMapping(const std::vector<std::u16string>& headers,
                               const std::vector<RegisterField>& fields);

}  // namespace kvt
