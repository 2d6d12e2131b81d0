#include "csv_text.h"

#include <cstddef>

namespace kvt {

namespace {

// The length of the UTF-8 character that starts with this byte, or 0 when none does.
std::size_t utf8Length(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool isUtf8(std::string_view bytes) {
  bool multiByte = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = utf8Length(lead);
    if (length == 0 || i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    multiByte = true;
    i += length;
  }
  return multiByte;
}

}  // namespace

CsvShape detectCsvShape(std::string_view bytes) {
  CsvShape shape;
  if (bytes.starts_with(kUtf8Bom)) {
    shape.encoding = TextEncoding::Utf8;
    bytes.remove_prefix(kUtf8Bom.size());
  } else if (isUtf8(bytes)) {
    shape.encoding = TextEncoding::Utf8;
  }
  int semicolons = 0, commas = 0;
  bool quoted = false;
  for (const char c : bytes) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\r' || c == '\n') {
      if (semicolons + commas > 0) break;
      continue;
    }
    if (c == ';') ++semicolons;
    if (c == ',') ++commas;
  }
  shape.separator = commas > semicolons ? ',' : ';';
  return shape;
}

std::vector<std::vector<std::string>> readCsv(std::string_view bytes, char separator) {
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string cell;
  bool quoted = false;
  bool cellStarted = false;  // the record has a cell or a separator, so it is no blank line
  auto endCell = [&] {
    record.push_back(std::move(cell));
    cell.clear();
  };
  auto endRecord = [&] {
    if (cellStarted || !cell.empty()) {
      endCell();
      records.push_back(std::move(record));
    }
    record.clear();
    cellStarted = false;
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (quoted) {
      if (c != '"') {
        cell += c;
      } else if (i + 1 < bytes.size() && bytes[i + 1] == '"') {
        cell += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"' && cell.empty()) {
      // A quote opens a quoted cell only at its start; elsewhere it is an ordinary character.
      quoted = true;
      cellStarted = true;
    } else if (c == separator) {
      endCell();
      cellStarted = true;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      endRecord();
    } else {
      cell += c;
      cellStarted = true;
    }
  }
  endRecord();
  return records;
}

std::string csvRecord(const std::vector<std::string>& cells, char separator) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += separator;
    const std::string& cell = cells[i];
    const bool quote = cell.find_first_of(std::string{separator, '"', '\r', '\n'}) !=
                           std::string::npos ||
                       (!cell.empty() && (cell.front() == ' ' || cell.back() == ' '));
    if (!quote) {
      line += cell;
      continue;
    }
    line += '"';
    for (const char c : cell) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line + "\r\n";
}

}  // namespace kvt
