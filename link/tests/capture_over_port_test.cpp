// Print capture on the real path: a clock on a pseudo-terminal, the reader thread, the update
// procedure.
#include <gtest/gtest.h>

#include "link.h"
#include "link_test_support.h"
#include "quorlink.h"

namespace quorlink {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;
using quorclock::PtyClock;

class CaptureOverPort : public ::testing::Test {
 protected:
  void SetUp() override {
    installPrinterBackend(&printer_);
    ASSERT_EQ(openQuorConnection("2"), 1);
    ASSERT_TRUE(clock_.waitUntilOpened(1s));
  }
  void TearDown() override { linkFlags().commandMode = false; }

  PtyClock clock_{2};
  testing::RecordingPrinter printer_;
};

TEST_F(CaptureOverPort, PrintoutWithoutPausesArrivesLineByLineWhileItIsPrinted) {
  ASSERT_EQ(openQuorKVT(0), 1);
  testing::HostLines host;
  Lines expected;
  std::string printout;
  for (int i = 1; i <= 12; ++i) {
    expected.push_back(" " + std::to_string(i) + "  |ES-09-123456" + std::to_string(i % 10) +
                       "M |1234567890|");
    // A printer escape straddles the chunks of the burst somewhere along the way.
    printout +=
        "\x1b"
        "E1" +
        expected.back() + "\r\n";
  }
  printout += "\f";
  const auto start = Clock::now();
  std::thread player([&] { clock_.sendAtLineRate(printout, quorclock::kLineRate); });
  ASSERT_TRUE(host.waitFor(1, 2s));
  const auto firstLine = Clock::now() - start;
  player.join();
  ASSERT_TRUE(host.waitFor(13, 2s));
  EXPECT_LT(firstLine, 150ms);  // the first line needs about 50 ms of the line's time
  expected.push_back("");       // the form feed ends the document with an empty line
  EXPECT_EQ(host.lines(), expected);
}

TEST_F(CaptureOverPort, RepliesInCommandModeNeverReachPrintCapture) {
  ASSERT_EQ(openQuorKVT(0), 1);
  testing::HostLines host;
  linkFlags().commandMode = true;
  resetReply();
  clock_.send("1STOCK\r");
  std::this_thread::sleep_for(100ms);
  clock_.send(">\r");
  std::this_thread::sleep_for(100ms);
  clock_.send("PRINTED\r");
  ASSERT_TRUE(host.waitFor(1, 1s));
  const auto reply = replyBytes();
  EXPECT_EQ(std::string(reply.begin(), reply.end()), "1STOCK\r>\r");
  EXPECT_EQ(host.lines(), Lines{"PRINTED"});
}

TEST_F(CaptureOverPort, BurstsAreDroppedWhenNoCaptureIsOn) {
  testing::HostLines host;
  clock_.send("NOBODY LISTENS\r");
  std::this_thread::sleep_for(100ms);
  EXPECT_TRUE(host.lines().empty());
  EXPECT_TRUE(printer_.calls().empty());
}

TEST_F(CaptureOverPort, TolvexFramesCarryThePrinterText) {
  ASSERT_EQ(openQuorKVTtolvex(0), 1);
  testing::HostLines host;
  // "lTP", the payload length, the payload, a checksum byte.
  const auto frame = [](std::string payload, int declared) {
    return "lTP" + std::string(1, static_cast<char>(declared)) + payload + "\x5a";
  };
  clock_.send(frame("FIRST\r\n", 7));
  std::this_thread::sleep_for(80ms);
  clock_.send(frame("SHORT\r", 20));  // shorter than it says: dropped
  std::this_thread::sleep_for(80ms);
  clock_.send("UNFRAMED\r");  // not a Tolvex frame: not printed
  std::this_thread::sleep_for(80ms);
  clock_.send(frame("SECOND\rtrailing bytes beyond the frame", 7));
  ASSERT_TRUE(host.waitFor(2, 1s));
  std::this_thread::sleep_for(80ms);
  EXPECT_EQ(host.lines(), (Lines{"FIRST", "SECOND"}));
}

TEST_F(CaptureOverPort, ClosingWhileAPrintoutArrivesReturnsPromptly) {
  ASSERT_EQ(openQuorKVT(0), 1);
  testing::HostLines host;
  std::atomic<bool> playing{true};
  std::thread player([&] {
    const std::string line = "A LINE OF THE PRINTOUT\r\n";
    while (playing) {
      try {
        clock_.send(line);
      } catch (const std::exception&) {
        return;
      }
      std::this_thread::sleep_for(5ms);
    }
  });
  ASSERT_TRUE(host.waitFor(3, 2s));
  const auto start = Clock::now();
  closeQuorKVT();
  closeQuorConnection();
  EXPECT_LT(Clock::now() - start, 200ms);
  playing = false;
  player.join();
}

}  // namespace
}  // namespace quorlink
