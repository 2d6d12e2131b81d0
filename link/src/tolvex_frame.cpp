#include "tolvex_frame.h"

#include <cstdio>
#include <numeric>

namespace quorlink::tolvex {

std::uint8_t checksum(const std::uint8_t* bytes, std::size_t count) {
  return static_cast<std::uint8_t>(std::accumulate(bytes, bytes + count, 0u));
}

std::vector<std::uint8_t> request(Code code, std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> frame = {0x33, 0x21, 0xCE, static_cast<std::uint8_t>(data.size() + 1),
                                     code};
  frame.insert(frame.end(), data.begin(), data.end());
  frame.push_back(checksum(frame.data(), frame.size()));
  return frame;
}

std::vector<std::uint8_t> recordDigits(std::size_t number) {
  char digits[16];
  const int length = std::snprintf(digits, sizeof digits, "%04zu", number % 10000);
  return {digits, digits + length};
}

}  // namespace quorlink::tolvex
