#include "column_mapping.h"

#include <algorithm>
#include <tuple>

#include "spanish_text.h"

namespace kvt {

namespace {

// A header as compared with a name: its weights in Spanish order (case and accents folded),
// letters and digits only.
std::u32string comparable(std::u16string_view text) {
  std::u32string kept;
  for (const char32_t weight : spanishKey(text)) {
    if ((weight >= U'0' && weight <= U'9') || weight >= 0x100) kept += weight;
  }
  return kept;
}

std::size_t editDistance(const std::u32string& a, const std::u32string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// How close a header is to a name: 0 for not at all, more for closer.
int closeness(const std::u32string& header, const std::u32string& name) {
  if (header.empty() || name.empty()) return 0;
  if (header == name) return 900;
  if (name.size() >= 3 && header.find(name) != std::u32string::npos)
    return 500 + static_cast<int>(name.size());
  const std::size_t distance = editDistance(header, name);
  if (name.size() >= 4 && distance <= name.size() / 4 + 1)
    return 300 - static_cast<int>(distance);
  return 0;
}

int fieldCloseness(std::u16string_view header, const RegisterField& field) {
  if (equalsIgnoringCase(header, field.column)) return 1000;
  const std::u32string key = comparable(header);
  int best = closeness(key, comparable(field.column));
  best = std::max(best, closeness(key, comparable(field.label)));
  for (const std::u16string_view name : field.otherNames)
    best = std::max(best, closeness(key, comparable(name)));
  return best;
}

}  // namespace

std::vector<int> presetMapping(const std::vector<std::u16string>& headers,
                               const std::vector<RegisterField>& fields) {
  // (closeness, field, header), the closest first; ties go to the earlier field and header.
  std::vector<std::tuple<int, int, int>> pairs;
  for (int f = 0; f < static_cast<int>(fields.size()); ++f) {
    for (int h = 0; h < static_cast<int>(headers.size()); ++h) {
      const int close = fieldCloseness(headers[h], fields[f]);
      if (close > 0) pairs.emplace_back(-close, f, h);
    }
  }
  std::sort(pairs.begin(), pairs.end());
  std::vector<int> mapping(fields.size(), -1);
  std::vector<bool> taken(headers.size(), false);
  for (const auto& [close, field, header] : pairs) {
    if (mapping[field] >= 0 || taken[header]) continue;
    mapping[field] = header;
    taken[header] = true;
  }
  return mapping;
}

}  // namespace kvt
