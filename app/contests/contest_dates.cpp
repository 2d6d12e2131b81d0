#include "contest_dates.h"

#include "fixed_text.h"

namespace kvt {

namespace {

// The number of a run of one to maxDigits digits, or none.
std::optional<int> digits(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<CivilDate> readDayMonthYear(std::string_view text) {
  text = trim(text);
  const std::size_t first = text.find('/');
  const std::size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const std::string_view yearText = text.substr(second + 1);
  const auto day = digits(text.substr(0, first), 2);
  const auto month = digits(text.substr(first + 1, second - first - 1), 2);
  auto year = digits(yearText, 4);
  if (!day || !month || !year || (yearText.size() != 2 && yearText.size() != 4)) {
    return std::nullopt;
  }
  if (yearText.size() == 2) *year += *year < 30 ? 2000 : 1900;
  if (*year == 0 || *month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month)) {
    return std::nullopt;
  }
  return CivilDate{*year, *month, *day};
}

std::optional<std::string> dateSearchKey(std::string_view typed) {
  const std::string text(trim(typed));
  const bool slashed = text.find('/') != std::string::npos;
  if (slashed && text.size() == 10) return text.substr(0, 6) + text.substr(8, 2);
  if (slashed && text.size() == 8) return text;
  if (!slashed && text.size() == 8)
    return text.substr(0, 2) + "/" + text.substr(2, 2) + "/" + text.substr(6, 2);
  if (!slashed && text.size() == 6)
    return text.substr(0, 2) + "/" + text.substr(2, 2) + "/" + text.substr(4, 2);
  return std::nullopt;
}

}  // namespace kvt
