// What an answering clock holds: a stock list (owner record and stock records), races (header,
// pigeon records, poule records 1..18) and race data sets in the clock's packed binary form.
//
// A clock data file holds one item a line; "#" starts a comment line. Text values are the rest of
// the line after one blank, with \xNN for any byte and \\ for a backslash; a record shorter than
// its size is filled with zero bytes, a longer one is an error.
//
//   owner TEXT        the stock owner record (113 bytes)
//   stock TEXT        the next stock record (22 bytes)
//   race N            the items below belong to race N
//   header TEXT       its header (166 bytes)
//   pigeon TEXT       its next pigeon record (60 bytes)
//   poule J TEXT      its poule record J, 1..18 (110 bytes)
//   dataset M         the race data set M follows, as hexadecimal bytes on "hex" lines
//   hex HEX...        bytes of the data set, two digits each, blanks allowed between them
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorclock {

struct ClockRace {
  std::string header;
  std::vector<std::string> pigeons;
  std::array<std::string, 19> poules;  // index 0 unused; empty: zero bytes
};

struct ClockData {
  std::string owner;
  std::vector<std::string> stock;
  std::map<int, ClockRace> races;
  std::map<int, std::string> dataSets;
};

// Throws std::runtime_error naming the line of a faulty item.
ClockData parseClockData(std::string_view text);
ClockData readClockData(const std::string& path);

// A record of exactly size bytes: text followed by zero bytes (cut when longer).
std::string record(std::string_view text, std::size_t size);

}  // namespace quorclock
