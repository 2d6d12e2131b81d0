// The Spanish comparisons of spanish_text.h on Qt's strings.
#pragma once

#include <QString>

#include "spanish_text.h"

namespace kvt {

inline std::u16string_view textView(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

inline bool spanishLess(const QString& a, const QString& b) {
  return compareSpanish(textView(a), textView(b)) < 0;
}

inline bool startsWithSpanish(const QString& text, const QString& prefix) {
  return startsWithSpanish(textView(text), textView(prefix));
}

inline bool equalsIgnoringCase(const QString& a, const QString& b) {
  return equalsIgnoringCase(textView(a), textView(b));
}

}  // namespace kvt
