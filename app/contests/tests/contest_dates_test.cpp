#include "contest_dates.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

TEST(ContestDates, ReadsDayMonthYearAndRefusesWhatIsNoDate) {
  struct Case {
    const char* typed;
    int year, month, day;  // 0: no date
  };
  const Case cases[] = {
      {"14/05/2009", 2009, 5, 14},
      {" 1/2/09 ", 2009, 2, 1},
      {"29/02/2024", 2024, 2, 29},
      {"01/01/30", 1930, 1, 1},
      {"31/12/29", 2029, 12, 31},
      {"__/__/____", 0, 0, 0},
      {"14/05/____", 0, 0, 0},
      {"29/02/2023", 0, 0, 0},
      {"31/04/2009", 0, 0, 0},
      {"14/13/2009", 0, 0, 0},
      {"14/05/209", 0, 0, 0},
      {"14.05.2009", 0, 0, 0},
      {"", 0, 0, 0},
      {"00/05/2009", 0, 0, 0},
  };
  for (const Case& c : cases) {
    const auto date = readDayMonthYear(c.typed);
    if (c.year == 0) {
      EXPECT_FALSE(date) << c.typed;
    } else {
      ASSERT_TRUE(date) << c.typed;
      EXPECT_EQ(date->year, c.year) << c.typed;
      EXPECT_EQ(date->month, c.month) << c.typed;
      EXPECT_EQ(date->day, c.day) << c.typed;
    }
  }
}

TEST(ContestDates, SearchKeyTakesEveryTypedFormToDayMonthShortYear) {
  for (const char* typed : {"14/05/2009", "14/05/09", "14052009", "140509", "  14/05/09  "}) {
    EXPECT_EQ(dateSearchKey(typed).value_or("none"), "14/05/09") << typed;
  }
  for (const char* typed : {"14.5.09", "", "  /  /    ", "1405200", "14/5/2009"}) {
    EXPECT_FALSE(dateSearchKey(typed)) << typed;
  }
}

}  // namespace
}  // namespace kvt
