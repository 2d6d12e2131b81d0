#include "record_text.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace quorlink {

namespace {

bool isWhiteSpace(std::uint8_t c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

long long leadingNumber(const std::uint8_t* field, std::size_t width) {
  std::size_t i = 0;
  while (i < width && isWhiteSpace(field[i])) ++i;
  bool negative = false;
  if (i < width && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  long long value = 0;
  // Record fields are at most ten characters wide; more digits than a long long holds are not read.
  for (std::size_t digits = 0; i < width && field[i] >= '0' && field[i] <= '9' && digits < 18;
       ++i, ++digits) {
    value = value * 10 + (field[i] - '0');
  }
  return negative ? -value : value;
}

void writeField(std::uint8_t* field, std::size_t width, const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  writeFieldList(field, width, format, arguments);
  va_end(arguments);
}

void writeFieldList(std::uint8_t* field, std::size_t width, const char* format,
                    std::va_list arguments) {
  char text[64];
  const int length = std::vsnprintf(text, sizeof text, format, arguments);
  const std::size_t used = length < 0 ? 0 : std::min(width, static_cast<std::size_t>(length));
  std::memcpy(field, text, used);
  std::memset(field + used, 0, width - used);
}

}  // namespace quorlink
