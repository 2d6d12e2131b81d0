#include "answering_clock.h"

#include <stdexcept>

#include "data_store.h"
#include "record_text.h"
#include "tolvex_frame.h"

namespace quorclock {

namespace {

using namespace std::chrono_literals;
using quorlink::kOwnerCountAt;

const std::uint8_t* bytesOf(std::string_view text) {
  return reinterpret_cast<const std::uint8_t*>(text.data());
}

std::size_t countIn(std::string_view owner) {
  const long long count = quorlink::announcedCount(bytesOf(owner) + kOwnerCountAt);
  return count < 0 ? 0 : static_cast<std::size_t>(count);
}

std::string stockAnswer(const ClockData& data) {
  std::string answer = record(data.owner, quorlink::kOwnerRecordSize);
  for (const std::string& stock : data.stock) answer += stock;
  return answer;
}

std::optional<std::string> raceAnswer(const ClockData& data, int race) {
  const auto found = data.races.find(race);
  if (found == data.races.end()) return std::nullopt;
  const ClockRace& r = found->second;
  std::string answer = record(r.header, quorlink::kRaceHeaderSize);
  for (const std::string& pigeon : r.pigeons) answer += pigeon;
  for (std::size_t j = 1; j <= 18; ++j) answer += record(r.poules[j], quorlink::kPouleRecordSize);
  return answer;
}

// A record of a list, numbered from 1, or zero bytes for one the clock does not hold.
std::string listRecord(const std::vector<std::string>& list, long long number, std::size_t size) {
  return number >= 1 && static_cast<std::size_t>(number) <= list.size()
             ? list[static_cast<std::size_t>(number - 1)]
             : std::string(size, '\0');
}

const ClockRace& raceOrEmpty(const ClockData& data, int race) {
  static const ClockRace empty;
  const auto found = data.races.find(race);
  return found == data.races.end() ? empty : found->second;
}

std::string tolvexFrame(std::uint8_t first, std::uint8_t code, std::string_view data) {
  std::string frame = {static_cast<char>(first), 0x21, static_cast<char>(0xCE),
                       static_cast<char>(data.size() + 1), static_cast<char>(code)};
  frame += data;
  frame += static_cast<char>(quorlink::tolvex::checksum(bytesOf(frame), frame.size()));
  return frame;
}

}  // namespace

std::string tolvexReply(std::uint8_t code, std::string_view data) {
  return tolvexFrame(0x6C, code, data);
}

std::string tolvexOpeningFrame() {
  return tolvexReply(0x00, std::string(1, '\0'));
}

std::optional<Answer> answerQuor(std::string_view input, const ClockData& data) {
  if (input.empty()) return std::nullopt;
  const std::size_t start = input.find('>');
  if (start == std::string_view::npos) return Answer{input.size(), std::nullopt};
  if (start > 0) return Answer{start, std::nullopt};  // noise before a command
  if (input.size() < 2) return std::nullopt;
  auto needs = [&](std::size_t size) { return input.size() >= size; };
  switch (input[1]) {
    case 'B':
      return Answer{2, stockAnswer(data)};
    case 'K':
    case '5': {
      if (!needs(3)) return std::nullopt;
      const int number = static_cast<std::uint8_t>(input[2]);
      if (input[1] == 'K') return Answer{3, raceAnswer(data, number)};
      const auto found = data.dataSets.find(number);
      return Answer{3, found == data.dataSets.end() ? std::nullopt
                                                    : std::optional<std::string>(found->second)};
    }
    case 'A':
    case '^': {
      const std::size_t ownerEnd = 2 + quorlink::kOwnerRecordSize;
      if (!needs(ownerEnd)) return std::nullopt;
      const std::size_t recordSize =
          input[1] == 'A' ? quorlink::kStockRecordSize : quorlink::kRecoveryRecordSize;
      const std::size_t end = ownerEnd + recordSize * countIn(input.substr(2));
      if (!needs(end)) return std::nullopt;
      return Answer{end, std::string(">")};
    }
    case 'L': {
      const std::size_t end = 2 + 99 * 17 + 1;
      if (!needs(end)) return std::nullopt;
      return Answer{end, std::nullopt};
    }
    default:
      return Answer{1, std::nullopt};
  }
}

std::optional<Answer> answerTolvex(std::string_view input, const ClockData& data, bool wrongCode) {
  static constexpr char kStart[] = {0x33, 0x21, static_cast<char>(0xCE)};
  const std::size_t start = input.find(std::string_view(kStart, 3));
  if (start == std::string_view::npos) {
    // Keep what may be the start of a frame.
    const std::size_t keep = std::min<std::size_t>(2, input.size());
    return input.size() > keep ? std::optional(Answer{input.size() - keep, std::nullopt})
                               : std::nullopt;
  }
  if (start > 0) return Answer{start, std::nullopt};
  if (input.size() < 5) return std::nullopt;
  const std::size_t length = static_cast<std::uint8_t>(input[3]);
  const std::size_t frameSize = 5 + length;
  if (input.size() < frameSize) return std::nullopt;
  const std::uint8_t code = static_cast<std::uint8_t>(input[4]);
  const std::string_view args = input.substr(5, length - 1);
  const std::uint8_t answerCode = wrongCode ? static_cast<std::uint8_t>(code + 0x10) : code;
  auto argument = [&](std::size_t at) {
    return at < args.size() ? static_cast<std::uint8_t>(args[at]) : 0;
  };
  auto digitsAt = [&](std::size_t at) {
    return at < args.size() ? quorlink::leadingNumber(bytesOf(args) + at, args.size() - at) : 0;
  };
  Answer answer{frameSize, std::nullopt};
  using namespace quorlink;
  switch (code) {
    case tolvex::kAskOwner:
      answer.bytes = tolvexReply(answerCode, record(data.owner, kOwnerRecordSize));
      break;
    case tolvex::kAskStock:
      answer.bytes = tolvexReply(answerCode, listRecord(data.stock, digitsAt(0), kStockRecordSize));
      break;
    case tolvex::kAskRaceHeader:
      answer.bytes =
          tolvexReply(answerCode, record(raceOrEmpty(data, argument(0)).header, kRaceHeaderSize));
      break;
    case tolvex::kAskPigeon:
      answer.bytes = tolvexReply(answerCode, listRecord(raceOrEmpty(data, argument(0)).pigeons,
                                                        digitsAt(1), kPigeonRecordSize));
      break;
    case tolvex::kAskPoule: {
      const std::size_t j = argument(1);
      const ClockRace& race = raceOrEmpty(data, argument(0));
      answer.bytes =
          tolvexReply(answerCode, record(j <= 18 ? race.poules[j] : "", kPouleRecordSize));
      break;
    }
    case tolvex::kSendOwner:
    case tolvex::kSendStock:
    case tolvex::kSendLiberationPoint:
      answer.bytes = tolvexReply(answerCode, {});
      break;
    case tolvex::kEndOfUpload:
    case tolvex::kEndOfSession:
      answer.endsSession = true;
      break;
    default:
      break;
  }
  return answer;
}

void serveCommands(const PtyClock& clock, const ClockData& data, const AnswerOptions& options,
                   const std::atomic<bool>& stop,
                   const std::function<void(std::string_view)>& heard) {
  using Clock = std::chrono::steady_clock;
  const bool tolvex = options.dialect == Dialect::Tolvex;
  std::string input;
  bool inSession = false;
  auto lastRequest = Clock::now();
  // The first opening frame comes a moment after the port opens.
  auto nextAnnouncement = Clock::now() + 200ms;
  // What the link does not read any more (it closed the port) is lost, as on a real line.
  auto send = [&](std::string_view bytes) {
    try {
      if (bytes.size() > options.pauseAt) {
        clock.sendAtLineRate(bytes.substr(0, options.pauseAt), options.perByte);
        std::this_thread::sleep_for(options.pause);
        bytes.remove_prefix(options.pauseAt);
      }
      clock.sendAtLineRate(bytes, options.perByte);
    } catch (const std::runtime_error&) {
    }
  };
  while (!stop) {
    const std::string arrived = clock.receive(1, 20ms);
    if (!arrived.empty()) {
      heard(arrived);
      input += arrived;
    }
    for (;;) {
      const std::optional<Answer> answer =
          tolvex ? answerTolvex(input, data, options.wrongCode) : answerQuor(input, data);
      if (!answer) break;
      // The command's bytes take their time on the line before the clock has them all.
      std::this_thread::sleep_for(options.perByte * static_cast<long>(answer->consumed));
      input.erase(0, answer->consumed);
      if (tolvex && answer->consumed > 0) {
        inSession = !answer->endsSession;
        lastRequest = Clock::now();
        if (answer->endsSession) nextAnnouncement = Clock::now() + options.quietAfterSession;
      }
      if (answer->bytes && !options.silent)
        send(std::string_view(*answer->bytes).substr(0, options.cutAt));
    }
    if (!tolvex || options.silent || !arrived.empty() || !input.empty()) continue;
    // A session that the link gave up on ends after a few quiet seconds.
    if (inSession && Clock::now() - lastRequest > 5s) {
      inSession = false;
      nextAnnouncement = Clock::now();
    }
    if (!inSession && Clock::now() >= nextAnnouncement && clock.slaveOpen()) {
      send(tolvexOpeningFrame());
      nextAnnouncement = Clock::now() + options.announceEvery;
    }
  }
}

AnsweringClock::AnsweringClock(unsigned comNumber, ClockData data, AnswerOptions options)
    : clock_(comNumber), data_(std::move(data)), options_(options) {
  thread_ = std::thread([this] {
    serveCommands(clock_, data_, options_, stop_, [this](std::string_view bytes) {
      std::lock_guard lock(mutex_);
      heard_ += bytes;
    });
  });
}

AnsweringClock::~AnsweringClock() {
  stop_ = true;
  thread_.join();
}

std::string AnsweringClock::heard() const {
  std::lock_guard lock(mutex_);
  return heard_;
}

void AnsweringClock::clearHeard() {
  std::lock_guard lock(mutex_);
  heard_.clear();
}

}  // namespace quorclock
