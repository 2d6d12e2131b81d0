#include "fixed_text.h"

#include <limits>

namespace kvt {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::string fit(std::string_view value, std::size_t width) {
  std::string out(value.substr(0, width));
  out.resize(width, ' ');
  return out;
}

void appendFit(std::string& out, std::string_view value, std::size_t width) {
  value = value.substr(0, width);
  out.append(value);
  out.append(width - value.size(), ' ');
}

std::string zeroFill(std::string_view value, std::size_t width) {
  std::string out;
  if (value.size() < width) out.assign(width - value.size(), '0');
  out.append(value);
  return out;
}

std::string_view trim(std::string_view value) {
  const auto first = value.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = value.find_last_not_of(' ');
  return value.substr(first, last - first + 1);
}

std::string upper(std::string_view value) {
  std::string out(value);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string numberText(std::string_view field) {
  std::string integral;
  std::string fraction;
  bool seenPoint = false;
  for (char c : field) {
    if (isBlank(c)) continue;
    if (isDigit(c)) {
      (seenPoint ? fraction : integral).push_back(c);
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  const auto firstSignificant = integral.find_first_not_of('0');
  integral = firstSignificant == std::string::npos ? "0" : integral.substr(firstSignificant);
  const auto lastSignificant = fraction.find_last_not_of('0');
  fraction = lastSignificant == std::string::npos ? "" : fraction.substr(0, lastSignificant + 1);
  return fraction.empty() ? integral : integral + "." + fraction;
}

long wholeNumber(std::string_view field) {
  const std::string text = numberText(field);
  long value = 0;
  for (char c : text) {
    if (!isDigit(c)) break;
    if (value > (std::numeric_limits<long>::max() - 9) / 10)
      return std::numeric_limits<long>::max();
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string_view columns(std::string_view line, std::size_t first, std::size_t last) {
  if (first < 1 || last < first) return {};
  return columnsFrom(line, first, last - first + 1);
}

std::string_view columnsFrom(std::string_view line, std::size_t first, std::size_t count) {
  if (first < 1 || first > line.size()) return {};
  return line.substr(first - 1, count);
}

std::size_t findFrom(std::string_view line, char c, std::size_t from) {
  if (from < 1 || from > line.size()) return 0;
  const auto at = line.find(c, from - 1);
  return at == std::string_view::npos ? 0 : at + 1;
}

std::string_view afterColon(std::string_view line, std::size_t count, std::size_t from) {
  // A missing colon reads as position 0, so the text is taken from column 1.
  return columnsFrom(line, findFrom(line, ':', from) + 1, count);
}

}  // namespace kvt
