// The Tolvex dialect: one framed request per record, and before every frame the library sends,
// a wait for the clock (its opening frame, or its answer to the frame before).
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "clock_exchanges.h"
#include "clock_replies.h"
#include "command_exchange.h"
#include "data_store.h"
#include "liberation_points.h"
#include "link.h"
#include "tolvex_frame.h"

namespace quorlink {

namespace {

using Bytes = std::vector<std::uint8_t>;
using tolvex::Code;

// Every answer of a Tolvex clock is one reply frame, which ends the wait as soon as it is whole.
void resetForFrame() {
  resetReply(tolvexReplyWhole);
}

// Waits for the clock; false on time-out (which ends the Tolvex exchange) or a closed link.
bool clockReady() {
  return waitForReply() && linkFlags().tolvexDialect;
}

// A frame that ends an exchange; the clock does not answer it.
bool send(Code code, std::span<const std::uint8_t> data) {
  return command::write(tolvex::request(code, data));
}

// A frame that the clock answers; the next clockReady waits for that answer.
bool post(Code code, std::span<const std::uint8_t> data) {
  return command::post(tolvex::request(code, data), tolvexReplyWhole);
}

// Sends a request and waits for the clock's answer to it; false when none came or it answers
// another code. The answer is then in reply.
bool request(Code code, std::span<const std::uint8_t> data, Bytes& reply) {
  if (!post(code, data) || !clockReady()) return false;
  reply = command::answer();
  return reply.size() > 4 && reply[4] == code;
}

Bytes withRecordNumber(Bytes prefix, std::size_t number) {
  const Bytes digits = tolvex::recordDigits(number);
  prefix.insert(prefix.end(), digits.begin(), digits.end());
  return prefix;
}

void endSession() {
  send(tolvex::kEndOfSession, Bytes{0x00});
}

std::size_t boundedCount(const std::uint8_t* countField) {
  const long long total = announcedCount(countField);
  return total < 0 ? 0 : static_cast<std::size_t>(total);
}

bool readStock() {
  if (!command::enterTolvex()) return false;
  command::Session session;
  StockData& stock = dataStore().stock;
  stock.clearRecords();
  stock.owner.fill(0);
  resetForFrame();
  if (!clockReady()) return false;  // the clock's opening frame
  Bytes reply;
  if (!request(tolvex::kAskOwner, Bytes{0x00}, reply)) return false;
  tolvexReplyData(reply.data(), reply.size(), tolvex::kAskOwner, stock.owner.data(),
                  kOwnerRecordSize);
  const std::size_t total = boundedCount(stock.owner.data() + kOwnerCountAt);
  for (std::size_t i = 0; i < std::min(total, kMaxRecords); ++i) {
    if (!request(tolvex::kAskStock, withRecordNumber({}, i + 1), reply)) return false;
    if (tolvexReplyRecord(reply.data(), reply.size(), tolvex::kAskStock, stock.records[i].data(),
                          kStockRecordSize)) {
      ++stock.count;
    }
  }
  endSession();
  stock.valid = stock.count == total;
  return stock.valid;
}

bool readRace(std::uint8_t race) {
  if (!command::enterTolvex()) return false;
  command::Session session;
  RaceData& store = dataStore().race;
  store.clear();
  // No reset first: what an earlier exchange left in the reply buffer ends this wait at once.
  if (!clockReady()) return false;
  Bytes reply;
  if (!request(tolvex::kAskRaceHeader, Bytes{race}, reply)) return false;
  tolvexReplyData(reply.data(), reply.size(), tolvex::kAskRaceHeader, store.header.data(),
                  kRaceHeaderSize);
  const std::size_t total = boundedCount(store.header.data() + kRaceCountAt);
  for (std::uint8_t j = 1; j < kPouleSlots; ++j) {
    if (!request(tolvex::kAskPoule, Bytes{race, j}, reply)) return false;
    tolvexReplyRecord(reply.data(), reply.size(), tolvex::kAskPoule, store.poules[j].data(),
                      kPouleRecordSize);
  }
  for (std::size_t i = 0; i < std::min(total, kMaxRecords); ++i) {
    if (!request(tolvex::kAskPigeon, withRecordNumber({race}, i + 1), reply)) return false;
    if (tolvexReplyRecord(reply.data(), reply.size(), tolvex::kAskPigeon, store.pigeons[i].data(),
                          kPigeonRecordSize)) {
      ++store.count;
    }
  }
  endSession();
  store.valid = true;
  return true;
}

}  // namespace

bool readTolvex(std::uint32_t selector) {
  return selector == kStockSelector ? readStock() : readRace(static_cast<std::uint8_t>(selector));
}

bool writeTolvexStock() {
  std::size_t count = 0;
  if (!recordsToSend(count) || !command::enterTolvex()) return false;
  command::Session session;
  const StockData& stock = dataStore().stock;
  resetForFrame();
  if (!clockReady()) return false;  // the clock's opening frame
  if (!post(tolvex::kSendOwner, stock.owner)) return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (!clockReady() || !post(tolvex::kSendStock, stock.records[i])) return false;
  }
  if (!clockReady()) return false;
  return send(tolvex::kEndOfUpload, Bytes{0x00});
}

bool setTolvexLiberationPoint(const char* name, std::uint32_t point) {
  LiberationTable& table = liberationTable();
  if (point == 0) return false;
  if (point < kFirstLiberationSend) {
    table.setTolvex(point, name);
    return true;
  }
  if (!command::enterTolvex()) return false;
  command::Session session;
  resetForFrame();
  for (std::size_t n = 1; n < kLiberationPoints; ++n) {
    const LiberationEntry entry = table.entryToSend(n);
    char number[8];
    std::snprintf(number, sizeof number, "%03zu", n);
    Bytes data(number, number + 3);
    data.insert(data.end(), entry.begin() + 1, entry.end());
    // The table stays for another try when the clock stops answering.
    if (!clockReady() || !post(tolvex::kSendLiberationPoint, data)) return false;
  }
  if (!clockReady()) return false;
  endSession();
  table.clear();
  return true;
}

}  // namespace quorlink
