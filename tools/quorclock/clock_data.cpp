#include "clock_data.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "data_store.h"

namespace quorclock {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class LineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string unescape(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '\\') {
      bytes += '\\';
      ++i;
    } else if (i + 3 < text.size() && text[i + 1] == 'x' && hexDigit(text[i + 2]) >= 0 &&
               hexDigit(text[i + 3]) >= 0) {
      bytes += static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
      i += 3;
    } else {
      throw LineError("a backslash must start \\xNN or \\\\");
    }
  }
  return bytes;
}

std::string fixedRecord(std::string_view text, std::size_t size) {
  const std::string bytes = unescape(text);
  if (bytes.size() > size) {
    throw LineError("the record has " + std::to_string(bytes.size()) + " bytes, at most " +
                    std::to_string(size) + " fit");
  }
  return record(bytes, size);
}

std::string hexBytes(std::string_view text) {
  std::string bytes;
  int high = -1;
  for (const char c : text) {
    if (c == ' ' || c == '\t') continue;
    const int digit = hexDigit(c);
    if (digit < 0) throw LineError(std::string("not a hexadecimal digit: ") + c);
    if (high < 0) {
      high = digit;
    } else {
      bytes += static_cast<char>(high * 16 + digit);
      high = -1;
    }
  }
  if (high >= 0) throw LineError("an odd number of hexadecimal digits");
  return bytes;
}

int number(std::string_view text) {
  try {
    std::size_t used = 0;
    const int value = std::stoi(std::string(text), &used);
    if (used != text.size()) throw std::invalid_argument("trailing text");
    return value;
  } catch (const std::logic_error&) {
    throw LineError("not a number: " + std::string(text));
  }
}

}  // namespace

std::string record(std::string_view text, std::size_t size) {
  std::string bytes(text.substr(0, size));
  bytes.resize(size, '\0');
  return bytes;
}

ClockData parseClockData(std::string_view text) {
  ClockData data;
  ClockRace* race = nullptr;
  std::string* dataSet = nullptr;
  std::istringstream lines{std::string(text)};
  int lineNumber = 0;
  for (std::string line; std::getline(lines, line);) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t blank = line.find(' ');
    const std::string item = line.substr(0, blank);
    const std::string_view value =
        blank == std::string::npos ? std::string_view() : std::string_view(line).substr(blank + 1);
    try {
      if (item == "owner") {
        data.owner = fixedRecord(value, quorlink::kOwnerRecordSize);
      } else if (item == "stock") {
        data.stock.push_back(fixedRecord(value, quorlink::kStockRecordSize));
      } else if (item == "race") {
        race = &data.races[number(value)];
        dataSet = nullptr;
      } else if (item == "dataset") {
        dataSet = &data.dataSets[number(value)];
        race = nullptr;
      } else if (item == "hex" && dataSet != nullptr) {
        *dataSet += hexBytes(value);
      } else if (item == "header" && race != nullptr) {
        race->header = fixedRecord(value, quorlink::kRaceHeaderSize);
      } else if (item == "pigeon" && race != nullptr) {
        race->pigeons.push_back(fixedRecord(value, quorlink::kPigeonRecordSize));
      } else if (item == "poule" && race != nullptr) {
        const std::size_t split = value.find(' ');
        const int index = number(value.substr(0, split));
        if (index < 1 || index > 18) throw LineError("a poule is numbered 1 to 18");
        race->poules[static_cast<std::size_t>(index)] = fixedRecord(
            split == std::string_view::npos ? std::string_view() : value.substr(split + 1),
            quorlink::kPouleRecordSize);
      } else {
        throw LineError("unknown item \"" + item + "\" here");
      }
    } catch (const LineError& error) {
      throw std::runtime_error("line " + std::to_string(lineNumber) + ": " + error.what());
    }
  }
  return data;
}

ClockData readClockData(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  try {
    return parseClockData(text.str());
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(path + ": " + error.what());
  }
}

}  // namespace quorclock
