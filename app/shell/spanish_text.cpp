#include "spanish_text.h"

#include <algorithm>

namespace kvt {

namespace {

// The small letter of a capital, for the letters a Windows-1252 text can hold.
char16_t lowerCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  // À to Þ, except ×.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  switch (c) {
    case 0x160: return 0x161;  // Š
    case 0x17D: return 0x17E;  // Ž
    case 0x152: return 0x153;  // Œ
    case 0x178: return 0xFF;   // Ÿ
    default: return c;
  }
}

// The base letters of a small letter, or none for a character that is not a Latin letter.
std::u16string_view baseLetters(char16_t c) {
  if (c >= u'a' && c <= u'z') return {};
  switch (c) {
    case 0xE0: case 0xE1: case 0xE2: case 0xE3: case 0xE4: case 0xE5: return u"a";
    case 0xE6: return u"ae";
    case 0xE7: return u"c";
    case 0xE8: case 0xE9: case 0xEA: case 0xEB: return u"e";
    case 0xEC: case 0xED: case 0xEE: case 0xEF: return u"i";
    case 0xF0: return u"d";
    case 0xF2: case 0xF3: case 0xF4: case 0xF5: case 0xF6: case 0xF8: return u"o";
    case 0xF9: case 0xFA: case 0xFB: case 0xFC: return u"u";
    case 0xFD: case 0xFF: return u"y";
    case 0xFE: return u"th";
    case 0xDF: return u"ss";
    case 0x153: return u"oe";
    case 0x161: return u"s";
    case 0x17E: return u"z";
    default: return {};
  }
}

// Letters weigh more than every blank, digit and sign of the first 256 characters, each letter
// two apart so that ñ fits between n and o; other characters come after the letters.
constexpr char32_t kFirstLetter = 0x100;
constexpr char32_t kAfterLetters = 0x200;

char32_t letterWeight(char16_t small) {
  return kFirstLetter + 2 * static_cast<char32_t>(small - u'a');
}

void appendWeights(std::u32string& key, char16_t c) {
  const char16_t small = lowerCase(c);
  if (small >= u'a' && small <= u'z') {
    key += letterWeight(small);
  } else if (small == 0xF1) {  // ñ
    key += letterWeight(u'n') + 1;
  } else if (const std::u16string_view base = baseLetters(small); !base.empty()) {
    for (char16_t letter : base) key += letterWeight(letter);
  } else if (small < kFirstLetter) {
    key += small;
  } else {
    key += kAfterLetters + small;
  }
}

}  // namespace

std::u32string spanishKey(std::u16string_view text) {
  std::u32string key;
  key.reserve(text.size());
  for (char16_t c : text) appendWeights(key, c);
  return key;
}

int compareSpanish(std::u16string_view a, std::u16string_view b) {
  if (const int byKey = spanishKey(a).compare(spanishKey(b)); byKey != 0) return byKey;
  return a.compare(b);
}

bool startsWithSpanish(std::u16string_view text, std::u16string_view prefix) {
  const std::u32string key = spanishKey(prefix);
  // Every character weighs at least once, so the text's first key.size() characters suffice.
  return spanishKey(text.substr(0, std::min(text.size(), key.size()))).starts_with(key);
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return lowerCase(x) == lowerCase(y); });
}

std::u16string foldedCase(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) c = lowerCase(c);
  return folded;
}

}  // namespace kvt
