// A Quor clock's answer to a stock or race read (the first byte chooses which), measured as the
// wait for it measures it, stored as the exchange stores it and read back through the get exports.
#include <cstddef>
#include <cstdint>

#include "clock_replies.h"
#include "data_store.h"
#include "fuzz_read_back.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  quorlink::DataStore& store = quorlink::dataStore();
  if (data[0] & 1) {
    quorlink::quorStockAnswerWhole(data + 1, size - 1);
    store.stock.clearRecords();
    store.stock.valid = quorlink::storeQuorStockAnswer(data + 1, size - 1, store.stock);
    quorlink::fuzz::readStockBack();
  } else {
    quorlink::quorRaceAnswerWhole(data + 1, size - 1);
    store.race.clear();
    store.race.valid = quorlink::storeQuorRaceAnswer(data + 1, size - 1, store.race);
    quorlink::fuzz::readRaceBack();
  }
  return 0;
}
