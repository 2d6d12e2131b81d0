// Text compared as the club's Spanish users expect it, the way the old database engine ordered and
// compared names and codes: letter case never counts; in the order, an accented letter counts as
// its base letter (Á as A, Ü as U) and Ñ is a letter of its own, after N. Ties at that level are
// broken by the characters themselves, so that the order is always the same. No locale is used.
#pragma once

#include <string>
#include <string_view>

namespace kvt {

// The order's weights for a text; two texts compare in Spanish order as their keys compare.
std::u32string spanishKey(std::u16string_view text);

// Below zero, zero or above: a before, equal to or after b in Spanish order, ties broken by the
// characters.
int compareSpanish(std::u16string_view a, std::u16string_view b);

// The text begins with the prefix at the order's level: "alv" begins "ÁLVAREZ", "n" does not
// begin "ÑANDÚ".
bool startsWithSpanish(std::u16string_view text, std::u16string_view prefix);

// The same text but for letter case: "ab" and "AB", "peña" and "PEÑA"; not "PENA".
bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);

// The text with its capitals made small, as equalsIgnoringCase compares it: two texts are equal
// ignoring case when their folded texts are equal.
std::u16string foldedCase(std::u16string_view text);

}  // namespace kvt
