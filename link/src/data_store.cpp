#include "data_store.h"

#include <atomic>

namespace quorlink {

namespace {

std::atomic<bool> indexBaseOne{false};

}  // namespace

bool setOptionBase(std::int32_t base) {
  if (base != 0 && base != 1) return false;
  indexBaseOne = base == 1;
  return true;
}

bool optionBase() {
  return indexBaseOne;
}

}  // namespace quorlink
