// The club's registers as spreadsheet text: records of cells separated by a comma or a semicolon,
// quoted or not, in Windows-1252 or in UTF-8 with or without a byte order mark. The separators,
// the quote and the line ends are the same bytes in both encodings, and no byte of a UTF-8
// character is one of them, so the cells are cut from the bytes as they are and decoded after.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvt {

enum class TextEncoding { Windows1252, Utf8 };

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct CsvShape {
  char separator = ';';
  TextEncoding encoding = TextEncoding::Windows1252;
  bool operator==(const CsvShape&) const = default;
};

// What a file most likely is: UTF-8 when it starts with a byte order mark or when its bytes
// above 0x7F all form UTF-8 characters (and there is one), else Windows-1252; the separator is
// the one of ";" and "," that stands more often outside quotes in its first record (";" when
// neither does, or both as often).
CsvShape detectCsvShape(std::string_view bytes);

// The records of the text, each a list of cells as their bytes stand in the file. A byte order
// mark at the start is skipped; a record ends at CR LF, LF or CR outside quotes; inside quotes
// the separator and line ends are part of the cell and "" stands for one quote; a blank line is
// no record.
std::vector<std::vector<std::string>> readCsv(std::string_view bytes, char separator);

// One record as a spreadsheet reads it back, ending in CR LF: a cell holding the separator, a
// quote, a line end or a blank at either end is quoted, its quotes doubled.
std::string csvRecord(const std::vector<std::string>& cells, char separator);

}  // namespace kvt
