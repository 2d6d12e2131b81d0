#include "import_rows.h"

#include <optional>
#include <string_view>
#include <unordered_map>

#include "contest_dates.h"
#include "spanish_text.h"

namespace kvt {

namespace {

bool isBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xA0;
}

std::u16string trimmed(std::u16string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return std::u16string(text);
}

// A date field's cell as it is stored; none for a text that is no date.
std::optional<std::u16string> storedDate(const std::u16string& cell) {
  if (cell.empty() || cell == u"__/__/____") return std::u16string();
  std::string ascii;
  for (const char16_t c : cell) {
    if (c >= 0x80) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  const std::optional<CivilDate> date = readDayMonthYear(ascii);
  if (!date) return std::nullopt;
  auto two = [](int n) {
    return std::u16string{static_cast<char16_t>(u'0' + n / 10), static_cast<char16_t>(u'0' + n % 10)};
  };
  return two(date->day) + u"/" + two(date->month) + u"/" + two(date->year / 100) +
         two(date->year % 100);
}

}  // namespace

std::vector<CheckedRow> checkRows(const std::vector<std::vector<std::u16string>>& rows,
                                  const std::vector<RegisterField>& fields,
                                  const std::vector<std::u16string>& registerKeys) {
  // Keys compared as the register compares them: trimmed, letter case not counting.
  std::unordered_map<std::u16string, std::size_t> fileKeys;
  std::unordered_map<std::u16string, bool> held;
  for (const std::u16string& key : registerKeys) held[foldedCase(trimmed(key))] = true;
  std::vector<CheckedRow> checked;
  checked.reserve(rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    CheckedRow row;
    for (std::size_t f = 0; f < fields.size(); ++f)
      row.cells.push_back(f < rows[r].size() ? trimmed(rows[r][f]) : std::u16string());
    const std::u16string key = foldedCase(row.cells[0]);
    if (key.empty()) {
      row.refusal = RowRefusal::KeyEmpty;
    } else if (key.size() > kLongestKey) {
      row.refusal = RowRefusal::KeyTooLong;
    } else if (held.contains(key)) {
      row.refusal = RowRefusal::KeyInRegister;
    } else if (const auto earlier = fileKeys.find(key); earlier != fileKeys.end()) {
      row.refusal = RowRefusal::KeyTwiceInFile;
      row.earlierRow = earlier->second;
    } else {
      fileKeys.emplace(key, r);
    }
    for (std::size_t f = 1; f < fields.size() && row.refusal == RowRefusal::None; ++f) {
      if (!fields[f].date) continue;
      if (const auto date = storedDate(row.cells[f])) {
        row.cells[f] = *date;
      } else {
        row.refusal = RowRefusal::NoDate;
        row.field = f;
        // The key is not taken by a row that is not stored.
        fileKeys.erase(key);
      }
    }
    checked.push_back(std::move(row));
  }
  return checked;
}

std::vector<std::vector<std::u16string>> mappedRows(
    const std::vector<std::vector<std::u16string>>& table, const std::vector<int>& mapping) {
  std::vector<std::vector<std::u16string>> rows;
  rows.reserve(table.size());
  for (const auto& cells : table) {
    std::vector<std::u16string> row;
    for (const int column : mapping)
      row.push_back(column >= 0 && static_cast<std::size_t>(column) < cells.size() ? cells[column]
                                                                                   : std::u16string());
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace kvt
