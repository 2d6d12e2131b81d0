// The Quor dialect: short ASCII commands beginning with ">", each answered with one block.
#include <cstring>

#include "clock_exchanges.h"
#include "clock_replies.h"
#include "command_exchange.h"
#include "data_store.h"
#include "liberation_points.h"

namespace quorlink {

namespace {

using Bytes = std::vector<std::uint8_t>;

template <std::size_t Size>
void append(Bytes& bytes, const Record<Size>& record) {
  bytes.insert(bytes.end(), record.begin(), record.end());
}

bool readStock() {
  StockData& stock = dataStore().stock;
  stock.clearRecords();
  if (!command::enterQuor()) return false;
  command::Session session;
  if (!command::ask(Bytes{'>', 'B'}, quorStockAnswerWhole)) return false;
  const Bytes reply = command::answer();
  if (!storeQuorStockAnswer(reply.data(), reply.size(), stock)) return false;
  stock.valid = true;
  return true;
}

bool readRace(std::uint32_t selector) {
  RaceData& race = dataStore().race;
  race.clear();
  const bool dataSet = selector > 100;
  const Bytes command = dataSet ? Bytes{'>', '5', static_cast<std::uint8_t>(selector - 100)}
                                : Bytes{'>', 'K', static_cast<std::uint8_t>(selector)};
  if (!command::enterQuor()) return false;
  command::Session session;
  // A packed race data set does not tell its length: only the quiet line ends it.
  if (!command::ask(command, dataSet ? nullptr : quorRaceAnswerWhole)) return false;
  const Bytes reply = command::answer();
  const bool stored = dataSet ? decodeRaceDataSet(reply.data(), reply.size(), race)
                              : storeQuorRaceAnswer(reply.data(), reply.size(), race);
  race.valid = stored;
  return stored;
}

// Sends the command, the owner record and the records the owner record counts; true when the
// clock accepts them with an answer beginning with ">".
template <typename Table>
bool sendRecords(std::uint8_t command, const Table& table) {
  std::size_t count = 0;
  if (!recordsToSend(count) || !command::enterQuor()) return false;
  command::Session session;
  Bytes bytes{'>', command};
  append(bytes, dataStore().stock.owner);
  for (std::size_t i = 0; i < count; ++i) append(bytes, table[i]);
  if (!command::ask(bytes)) return false;
  const Bytes reply = command::answer();
  return !reply.empty() && reply[0] == '>';
}

}  // namespace

bool recordsToSend(std::size_t& count) {
  const long long announced = announcedCount(dataStore().stock.owner.data() + kOwnerCountAt);
  if (announced < 0 || announced > static_cast<long long>(kMaxRecords)) return false;
  count = static_cast<std::size_t>(announced);
  return true;
}

bool readQuor(std::uint32_t selector) {
  return selector == kStockSelector ? readStock() : readRace(selector);
}

bool writeQuorStock() {
  return sendRecords('A', dataStore().stock.records);
}

bool buildQuorRecovery() {
  return sendRecords('^', dataStore().recovery);
}

bool setQuorLiberationPoint(const char* name, std::uint32_t point) {
  LiberationTable& table = liberationTable();
  if (point == 0) return false;
  if (point < kFirstLiberationSend) {
    table.setQuor(point, name);
    return true;
  }
  if (!command::enterQuor()) return false;
  command::Session session;
  Bytes bytes{'>', 'L'};
  for (std::size_t n = 1; n < kLiberationPoints; ++n) {
    const LiberationEntry entry = table.entryToSend(n);
    bytes.insert(bytes.end(), entry.begin(), entry.end());
  }
  bytes.push_back('>');
  // No answer is awaited; the table stays for another try when the port refused it.
  if (!command::write(bytes)) return false;
  table.clear();
  return true;
}

}  // namespace quorlink
