// The wait for a clock's answer, driven by a stand-in reader thread with short times: it decides
// from one view of the line, whatever moment the reader hands an answer over.
#include "reply_channel.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace quorlink {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const ReplyWaitTimes kTimes{.silence = 150ms, .quiet = 100ms};

const std::uint8_t* bytesOf(const std::string& text) {
  return reinterpret_cast<const std::uint8_t*>(text.data());
}

bool wholeAtFourBytes(const std::uint8_t*, std::size_t length) {
  return length == 4;
}

struct Outcome {
  bool answered;
  Clock::duration took;
};

// Runs the wait on this thread while reader plays the reader thread's part.
Outcome waitWhile(ReplyChannel& channel, const std::function<void()>& reader,
                  const std::atomic<bool>* open = nullptr) {
  static const std::atomic<bool> linkOpen{true};
  std::thread readerThread(reader);
  const auto start = Clock::now();
  const bool answered = channel.wait(open != nullptr ? *open : linkOpen, kTimes);
  const Clock::duration took = Clock::now() - start;
  readerThread.join();
  return {answered, took};
}

// A long answer is handed over only at the end of its burst, well after the silence has run out;
// the wait must not take the empty buffer it saw before for the line that is quiet now.
TEST(ReplyWait, AnswerHandedOverAfterTheSilenceAtTheEndOfItsBurstIsTaken) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    ReplyChannel channel;
    const std::string answer = "1LONG ANSWER";
    const Outcome outcome = waitWhile(channel, [&] {
      channel.burstStarted();
      std::this_thread::sleep_for(kTimes.silence + std::chrono::milliseconds(7 * attempt % 11));
      channel.burstEnded(bytesOf(answer), answer.size());
    });
    ASSERT_TRUE(outcome.answered) << "attempt " << attempt;
    EXPECT_EQ(channel.bytes().size(), answer.size());
  }
}

TEST(ReplyWait, SilenceCountsFromWhenTheCommandHasLeftTheLine) {
  ReplyChannel channel;
  const Outcome silent = waitWhile(channel, [] {});
  EXPECT_FALSE(silent.answered);
  EXPECT_GE(silent.took, kTimes.silence);
  EXPECT_LT(silent.took, kTimes.silence + 100ms);

  const auto written = Clock::now();
  channel.written(200);  // about 208 ms on the line
  EXPECT_FALSE(waitWhile(channel, [] {}).answered);
  EXPECT_GE(Clock::now() - written, 200 * ReplyChannel::kByteOnLine + kTimes.silence);
}

TEST(ReplyWait, WholeAnswerEndsTheWaitOnceTheLineSettlesAndMoreBytesWaitForTheQuietLine) {
  ReplyChannel channel;
  const std::string frame = "1234";
  auto send = [&](const std::string& bytes, bool thenQuiet) {
    return [&channel, bytes, thenQuiet] {
      channel.burstStarted();
      channel.lineRead(true, bytesOf(bytes), bytes.size());
      for (int i = 0; thenQuiet && i < 30; ++i) {
        std::this_thread::sleep_for(1ms);
        channel.lineRead(false, nullptr, 0);
      }
      channel.burstEnded(nullptr, 0);
    };
  };
  channel.reset(wholeAtFourBytes);
  const Outcome whole = waitWhile(channel, send(frame, true));
  EXPECT_TRUE(whole.answered);
  EXPECT_LT(whole.took, 25ms);  // before the burst's end and long before the quiet line

  channel.reset(wholeAtFourBytes);
  const Outcome longer = waitWhile(channel, send(frame + "5", true));
  EXPECT_TRUE(longer.answered);
  EXPECT_GE(longer.took, kTimes.quiet);

  channel.reset(nullptr);
  const Outcome quietOnly = waitWhile(channel, send(frame, true));
  EXPECT_TRUE(quietOnly.answered);
  EXPECT_GE(quietOnly.took, kTimes.quiet);
}

TEST(ReplyWait, ClosedLinkEndsTheWait) {
  ReplyChannel channel;
  std::atomic<bool> open{true};
  const Outcome closed = waitWhile(
      channel,
      [&] {
        channel.burstStarted();
        std::this_thread::sleep_for(50ms);
        open = false;
      },
      &open);
  EXPECT_FALSE(closed.answered);
  EXPECT_LT(closed.took, 100ms);
}

}  // namespace
}  // namespace quorlink
