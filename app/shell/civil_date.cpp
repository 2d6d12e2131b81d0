#include "civil_date.h"

#include <cstdio>

namespace kvt {

std::string shortDate(const CivilDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d", date.day % 100, date.month % 100,
                date.year % 100);
  return text;
}

}  // namespace kvt
