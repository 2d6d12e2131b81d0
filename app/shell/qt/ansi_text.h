// The program's text and the single-byte Windows-1252 text that the clock, the files and the
// link library exchange. A character Windows-1252 cannot hold becomes "?".
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kvt {

std::string toAnsi(const QString& text);
// Whether toAnsi keeps every character of the text.
bool holdsInAnsi(const QString& text);
QString fromAnsi(std::string_view text);

}  // namespace kvt
