// The Spanish order and comparisons of names, codes and licences.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "spanish_text.h"

namespace kvt {
namespace {

TEST(SpanishText, OrdersAccentsWithTheirLetterAndEnyeAfterN) {
  const std::vector<std::u16string> expected = {
      u"10",  // digits before letters
      u"ALARCÓN ALARCÓN ÁNGEL",
      u"alarcón alarcón martín",
      u"ÁLVAREZ",
      u"ALVAREZ RUIZ",
      u"MUNOZ",
      u"MUÑOZ",
      u"Muñoz",  // the same but for case: a fixed order
      u"NUÑEZ",
      u"ÑANDÚ",
      u"OCHOA",
      u"ZÚÑIGA",
  };
  std::vector<std::u16string> sorted = expected;
  std::reverse(sorted.begin(), sorted.end());
  std::sort(sorted.begin(), sorted.end(),
            [](const auto& a, const auto& b) { return compareSpanish(a, b) < 0; });
  EXPECT_EQ(sorted, expected);
  EXPECT_EQ(compareSpanish(u"ÁLVAREZ", u"álvarez") == 0, false);
  EXPECT_EQ(spanishKey(u"ÁLVAREZ"), spanishKey(u"alvarez"));
}

TEST(SpanishText, ComparesAndBeginsAsTheRegistersNeed) {
  const struct {
    const char16_t* text;
    const char16_t* other;
    bool equal;    // equalsIgnoringCase
    bool begins;   // startsWithSpanish(text, other)
  } cases[] = {
      {u"ab", u"AB", true, true},
      {u"peña", u"PEÑA", true, true},
      {u"PEÑA", u"PENA", false, false},  // Ñ is a letter of its own
      {u"ÁLVAREZ", u"alv", false, true},
      {u"ÑANDÚ", u"n", false, false},
      {u"ÁLVAREZ", u"ÁLVAREZ PÉREZ", false, false},
      {u"O'NEILL", u"o'n", false, true},
      {u" 77", u"77", false, false},
      {u"", u"", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    EXPECT_EQ(equalsIgnoringCase(c.text, c.other), c.equal);
    EXPECT_EQ(startsWithSpanish(c.text, c.other), c.begins);
  }
}

}  // namespace
}  // namespace kvt
