// The contest register's dates as the user types them: the masked "__/__/____" boxes of the
// contest panel and the pattern of a search by date.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "civil_date.h"

namespace kvt {

// A date typed in day/month/year order with "/" between, the year in two or four digits
// ("14/05/2009", "14/5/09"); none for a text that is no date, such as a half-filled mask.
// A two-digit year lies between 1930 and 2029.
std::optional<CivilDate> readDayMonthYear(std::string_view text);

// "dd/mm/yy", the form the contest list shows its dates in, from a search pattern typed with or
// without blanks around it as dd/mm/yyyy, dd/mm/yy, ddmmyyyy or ddmmyy. Any other text gives
// none: the search then looks for what it looked for before.
std::optional<std::string> dateSearchKey(std::string_view typed);

}  // namespace kvt
