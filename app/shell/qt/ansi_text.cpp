#include "ansi_text.h"

#include <array>

namespace kvt {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the five unused bytes.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ansiOf(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c && c != 0) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string toAnsi(const QString& text) {
  std::string ansi;
  ansi.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) ansi.push_back(ansiOf(c.unicode()));
  return ansi;
}

bool holdsInAnsi(const QString& text) {
  for (const QChar c : text) {
    if (c != u'?' && ansiOf(c.unicode()) == '?') return false;
  }
  return true;
}

QString fromAnsi(std::string_view text) {
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (const char byte : text) {
    const auto b = static_cast<unsigned char>(byte);
    const char16_t high = b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : 0;
    result.append(QChar(high != 0 ? high : b));
  }
  return result;
}

}  // namespace kvt
