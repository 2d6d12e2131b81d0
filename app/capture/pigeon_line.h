// The cut points of a pigeon line. The clock separates its columns with "|"; before cutting, every
// "|" becomes the list's separator, so a separator the clock printed inside a field counts as well.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvt {

struct PigeonLine {
  std::string text;    // the line with every "|" replaced by the separator
  std::size_t s1 = 0;  // first separator, from column 1 (0 when missing)
  std::size_t s2 = 0;  // second separator, from s1 + 1
  std::size_t s3 = 0;  // third separator, from s2 + 1
  std::size_t h1 = 0;  // first "-", from column 1
  std::size_t h2 = 0;  // second "-", from h1 + 1

  // The two characters before h1 (the ring's country) and after it (its middle part); both
  // need a first "-" in column 3 or later.
  bool hasCountry() const { return h1 >= 3; }
  std::string_view country() const;
  std::string_view middle() const;
};

PigeonLine cutPigeonLine(std::string_view line, char separator);

// Every "." of a day-month printed as dd.mm becomes "/".
std::string slashedDay(std::string_view day);

}  // namespace kvt
