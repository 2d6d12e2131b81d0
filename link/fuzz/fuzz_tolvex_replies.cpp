// A Tolvex clock's reply frame, taken apart for each of the records a read asks for (the first
// byte chooses the command code it should answer), stored as the exchange stores it and read back.
#include <cstddef>
#include <cstdint>

#include "clock_replies.h"
#include "data_store.h"
#include "fuzz_read_back.h"

namespace {

using namespace quorlink;

void takeRecord(const std::uint8_t* reply, std::size_t length, std::uint8_t code) {
  tolvexReplyWhole(reply, length);
  DataStore& store = dataStore();
  tolvexReplyData(reply, length, code, store.stock.owner.data(), kOwnerRecordSize);
  tolvexReplyData(reply, length, code, store.race.header.data(), kRaceHeaderSize);
  announcedCount(store.stock.owner.data() + kOwnerCountAt);
  announcedCount(store.race.header.data() + kRaceCountAt);
  store.stock.count =
      tolvexReplyRecord(reply, length, code, store.stock.records[0].data(), kStockRecordSize);
  store.race.count =
      tolvexReplyRecord(reply, length, code, store.race.pigeons[0].data(), kPigeonRecordSize);
  tolvexReplyRecord(reply, length, code, store.race.poules[1].data(), kPouleRecordSize);
  store.stock.valid = store.race.valid = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  dataStore().stock.clearRecords();
  dataStore().race.clear();
  takeRecord(data + 1, size - 1, data[0]);
  fuzz::readStockBack();
  fuzz::readRaceBack();
  return 0;
}
