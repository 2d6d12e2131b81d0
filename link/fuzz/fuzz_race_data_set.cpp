// The packed binary race data set of a Quor clock, in either layout, decoded into the data store
// and read back through the get exports.
#include <cstddef>
#include <cstdint>

#include "clock_replies.h"
#include "data_store.h"
#include "fuzz_read_back.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorlink::RaceData& race = quorlink::dataStore().race;
  race.clear();
  race.valid = quorlink::decodeRaceDataSet(data, size, race);
  quorlink::fuzz::readRaceBack();
  return 0;
}
