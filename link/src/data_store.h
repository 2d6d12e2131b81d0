// The clock data store: what the command exchanges read out of a clock and what the host puts in
// before writing. For now it holds the index base of the record exports.
#pragma once

#include <cstdint>

namespace quorlink {

// 1: record indexes given by the host count from 1; 0: from 0.
bool setOptionBase(std::int32_t base);
bool optionBase();

}  // namespace quorlink
