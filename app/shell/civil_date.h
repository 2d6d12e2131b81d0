// A calendar date, and today's date on this computer's clock in local time.
#pragma once

#include <string>

namespace kvt {

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

CivilDate localToday();

// "DD/MM/YY", as the output files close.
std::string shortDate(const CivilDate& date);

}  // namespace kvt
