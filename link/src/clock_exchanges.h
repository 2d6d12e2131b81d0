// The exchanges behind the command exports, one complete exchange per call on the host's thread.
// What they read goes into the data store; what they send comes from it and from the liberation
// point table. Every one reports false when it did not do all it was asked.
#pragma once

#include <cstdint>

namespace quorlink {

inline constexpr std::uint32_t kStockSelector = 999;
inline constexpr std::uint32_t kFirstLiberationSend = 100;  // a point number that sends the table

// Quor: selector 999 reads the stock list, 1..100 a race, above 100 the binary race data set
// (selector - 100).
bool readQuor(std::uint32_t selector);
bool writeQuorStock();
bool buildQuorRecovery();
bool setQuorLiberationPoint(const char* name, std::uint32_t point);

// Tolvex: selector 999 reads the stock list, any other its low 8 bits' race.
bool readTolvex(std::uint32_t selector);
bool writeTolvexStock();
bool setTolvexLiberationPoint(const char* name, std::uint32_t point);

// The number of records a write sends: the owner record's count. False when it lies outside
// 0..1001 (the records it names do not exist).
bool recordsToSend(std::size_t& count);

}  // namespace quorlink
