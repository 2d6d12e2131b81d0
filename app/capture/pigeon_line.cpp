#include "pigeon_line.h"

#include "fixed_text.h"

namespace kvt {

std::string_view PigeonLine::country() const {
  return columns(text, h1 - 2, h1 - 1);
}

std::string_view PigeonLine::middle() const {
  return columnsFrom(text, h1 + 1, 2);
}

PigeonLine cutPigeonLine(std::string_view line, char separator) {
  PigeonLine cut;
  cut.text.assign(line);
  for (char& c : cut.text) {
    if (c == '|') c = separator;
  }
  cut.s1 = findFrom(cut.text, separator);
  if (cut.s1 != 0) cut.s2 = findFrom(cut.text, separator, cut.s1 + 1);
  if (cut.s2 != 0) cut.s3 = findFrom(cut.text, separator, cut.s2 + 1);
  cut.h1 = findFrom(cut.text, '-');
  if (cut.h1 != 0) cut.h2 = findFrom(cut.text, '-', cut.h1 + 1);
  return cut;
}

std::string slashedDay(std::string_view day) {
  std::string out(day);
  for (char& c : out) {
    if (c == '.') c = '/';
  }
  return out;
}

}  // namespace kvt
