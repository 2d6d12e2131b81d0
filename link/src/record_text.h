// Fixed-width text fields of the clock's records: numbers read from a field and numbers written
// into one. Clock text is ASCII; nothing here depends on the locale.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

namespace quorlink {

// The leading decimal number of a field of at most width bytes, as far as its first zero byte:
// leading white space skipped, an optional sign, then the digits; no digits give 0.
long long leadingNumber(const std::uint8_t* field, std::size_t width);

// Writes printf-formatted text into a field of width bytes: shorter text is followed by zero
// bytes, longer text is cut at the field's end, so a field never runs into the next one.
#if defined(__GNUC__)
#define QUORLINK_PRINTF(formatAt, argumentsAt) \
  __attribute__((format(printf, formatAt, argumentsAt)))
#else
#define QUORLINK_PRINTF(formatAt, argumentsAt)
#endif
void writeField(std::uint8_t* field, std::size_t width, const char* format, ...)
    QUORLINK_PRINTF(3, 4);
void writeFieldList(std::uint8_t* field, std::size_t width, const char* format,
                    std::va_list arguments) QUORLINK_PRINTF(3, 0);

}  // namespace quorlink
