// Fixed-width text: the conventions by which the clock's printed lists are cut into fields and by
// which the club's output files are laid out.
//
// Text here is bytes in Windows-1252. Nothing calls the C locale: case mapping touches only the
// ASCII letters, and a "blank" is the space character. Columns are counted from 1, as the clock's
// printout is described; a column range that runs past the end of a line yields what exists.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvt {

// A value of width w: cut to its first w characters, or padded with blanks on the right.
std::string fit(std::string_view value, std::size_t width);

// fit(value, width) appended to out, for lines built field by field.
void appendFit(std::string& out, std::string_view value, std::size_t width);

// "0" characters put in front until the value is w characters long; a longer value is not cut.
std::string zeroFill(std::string_view value, std::size_t width);

// Leading and trailing blanks removed.
std::string_view trim(std::string_view value);

// ASCII letters a-z to A-Z; every other byte as it is.
std::string upper(std::string_view value);

// Reads a field as a number: blanks are skipped wherever they stand, the longest leading run of
// digits with at most one decimal point is taken (none gives 0), and the number is written back
// without blanks, leading zeros or a trailing zero fraction (" 0012" gives "12", "3.50" gives
// "3.5").
std::string numberText(std::string_view field);

// The whole-number part of numberText: "12.7" gives 12. Digits beyond what fits saturate.
long wholeNumber(std::string_view field);

// Columns first..last of a line, both counted from 1 and inclusive.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last);

// count characters of a line from column first on.
std::string_view columnsFrom(std::string_view line, std::size_t first, std::size_t count);

// Column of the first c at or after column from; 0 when there is none.
std::size_t findFrom(std::string_view line, char c, std::size_t from = 1);

// count characters after the first ":" found at or after column from. A line without such a colon
// gives the characters from column 1 instead, as the clock's lists are read.
std::string_view afterColon(std::string_view line, std::size_t count, std::size_t from = 1);

}  // namespace kvt
