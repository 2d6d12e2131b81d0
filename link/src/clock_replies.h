// What a clock's answers put into the data store. Each function takes the bytes of the reply
// buffer as they arrived and stores only records that lie wholly within them; a single record
// (a header, an owner record) that the answer cuts short is kept with zero bytes after its end.
#pragma once

#include <cstddef>
#include <cstdint>

#include "data_store.h"

namespace quorlink {

// A Quor stock answer: the owner record, then its count of 22-byte stock records; a record is
// stored when it begins with "1". False when the answer does not begin with "1".
bool storeQuorStockAnswer(const std::uint8_t* reply, std::size_t length, StockData& stock);

// A Quor race answer: the header, its count of 60-byte pigeon records (stored when they begin
// with "1"), then 18 poule records. False when the answer does not begin with "1".
bool storeQuorRaceAnswer(const std::uint8_t* reply, std::size_t length, RaceData& race);

// A Quor stock or race answer is whole when it holds exactly what its owner record or header
// announces: the owner record and 22 bytes a stock record, or the header, 60 bytes a pigeon and
// the 18 poule records.
bool quorStockAnswerWhole(const std::uint8_t* reply, std::size_t length);
bool quorRaceAnswerWhole(const std::uint8_t* reply, std::size_t length);

// A Quor race data set, in its packed binary form (answer to ">5"), turned into the text
// records. False when the answer holds 72 bytes or fewer.
bool decodeRaceDataSet(const std::uint8_t* reply, std::size_t length, RaceData& race);

// A Tolvex reply is whole when it is exactly one reply frame, 5 bytes and the length its fourth
// byte gives, whose last byte is the checksum of the bytes before it.
bool tolvexReplyWhole(const std::uint8_t* reply, std::size_t length);

// The data of a Tolvex reply frame that answers command code: size bytes from its sixth byte
// (zero bytes where the frame is shorter). False when the frame answers another code.
bool tolvexReplyData(const std::uint8_t* reply, std::size_t length, std::uint8_t code,
                     std::uint8_t* data, std::size_t size);

// As tolvexReplyData, but false too when the frame does not hold the whole record.
bool tolvexReplyRecord(const std::uint8_t* reply, std::size_t length, std::uint8_t code,
                       std::uint8_t* data, std::size_t size);

}  // namespace quorlink
