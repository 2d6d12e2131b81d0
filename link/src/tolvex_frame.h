// The frames of the Tolvex command exchange: a request is 0x33 0x21 0xCE, the payload length, the
// command code and its data, then the sum of all bytes before it modulo 256. The clock's replies
// begin with 0x6C 0x21 0xCE and repeat the code in their fifth byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorlink::tolvex {

enum Code : std::uint8_t {
  kSendOwner = 0x01,
  kAskOwner = 0x02,
  kSendStock = 0x03,
  kAskStock = 0x04,
  kEndOfUpload = 0x05,
  kEndOfSession = 0x06,
  kAskRaceHeader = 0x07,
  kAskPigeon = 0x08,
  kSendLiberationPoint = 0x09,
  kAskPoule = 0x0A,
};

// The first bytes of every frame the clock sends in command mode (its replies and its opening
// frame); a burst that begins with them is a reply.
inline constexpr std::uint8_t kReplyStart[3] = {0x6C, 0x21, 0xCE};

std::uint8_t checksum(const std::uint8_t* bytes, std::size_t count);

// The request frame for code with its data (at most 254 bytes).
std::vector<std::uint8_t> request(Code code, std::span<const std::uint8_t> data);

// A record number, 1-based, as four ASCII digits.
std::vector<std::uint8_t> recordDigits(std::size_t number);

}  // namespace quorlink::tolvex
