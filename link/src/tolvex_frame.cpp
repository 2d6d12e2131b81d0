#include "tolvex_frame.h"

#include <algorithm>
#include <numeric>

namespace quorlink::tolvex {

std::uint8_t checksum(const std::uint8_t* bytes, std::size_t count) {
  return static_cast<std::uint8_t>(std::accumulate(bytes, bytes + count, 0u));
}

std::vector<std::uint8_t> request(Code code, std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> frame(5 + data.size() + 1);
  frame[0] = 0x33;
  frame[1] = 0x21;
  frame[2] = 0xCE;
  frame[3] = static_cast<std::uint8_t>(data.size() + 1);
  frame[4] = code;
  std::copy(data.begin(), data.end(), frame.begin() + 5);
  frame.back() = checksum(frame.data(), frame.size() - 1);
  return frame;
}

std::vector<std::uint8_t> recordDigits(std::size_t number) {
  const unsigned value = static_cast<unsigned>(number % 10000);
  return {static_cast<std::uint8_t>('0' + value / 1000),
          static_cast<std::uint8_t>('0' + value / 100 % 10),
          static_cast<std::uint8_t>('0' + value / 10 % 10),
          static_cast<std::uint8_t>('0' + value % 10)};
}

}  // namespace quorlink::tolvex
