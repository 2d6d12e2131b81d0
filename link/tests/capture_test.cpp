#include "capture.h"

#include <atomic>
#include <cstring>
#include <thread>

#include <gtest/gtest.h>

#include "link.h"
#include "link_test_support.h"
#include "printing.h"
#include "quorlink.h"

namespace quorlink {
namespace {

using namespace std::chrono_literals;
using Calls = std::vector<std::string>;
using Lines = std::vector<std::string>;

// Print capture fed directly, as the reader thread feeds it, with a recording printer whose "A"
// measures 50 x 100 units: the cell is 45 x 90, the first line at 180.
class Capture : public ::testing::Test {
 protected:
  void SetUp() override {
    installPrinterBackend(&printer_);
    linkFlags().linkOpen = true;
    ASSERT_EQ(openQuorKVT(0), 1);
    host_.emplace();
    printer_.clear();
  }
  void TearDown() override {
    host_.reset();
    linkFlags().linkOpen = false;
  }

  static void feed(std::string_view bytes) {
    capture::takePrinterText(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  static void burst(std::string_view bytes) {
    feed(bytes);
    capture::burstEnded();
  }
  Lines printed() const {
    Lines texts;
    for (const auto& call : printer_.calls()) {
      if (call.rfind("text ", 0) == 0) texts.push_back(call.substr(call.find(' ', 7) + 1));
    }
    return texts;
  }

  testing::RecordingPrinter printer_;
  std::optional<testing::HostLines> host_;
};

struct AssemblyCase {
  const char* name;
  std::vector<std::string> bursts;
  Lines host;
  Lines printed;
};

void PrintTo(const AssemblyCase& c, std::ostream* out) {
  *out << c.name;
}

class LineAssembly : public Capture, public ::testing::WithParamInterface<AssemblyCase> {};

TEST_P(LineAssembly, CutsPrinterTextIntoLines) {
  for (const auto& bytes : GetParam().bursts) burst(bytes);
  EXPECT_EQ(host_->lines(), GetParam().host);
  EXPECT_EQ(printed(), GetParam().printed);
}

const std::string k80(80, '8');
const std::string k132(132, 'W');

INSTANTIATE_TEST_SUITE_P(
    Bytes, LineAssembly,
    ::testing::Values(
        AssemblyCase{"CrEndsALineLfIsIgnored", {"AB\r\nCD\r"}, {"AB", "CD"}, {"AB", "CD"}},
        AssemblyCase{"HostGetsTheFirst75Of80", {k80 + "\r"}, {k80.substr(0, 75)}, {k80}},
        AssemblyCase{"FullLineEndsAt132", {k132 + "X\r"}, {k132.substr(0, 75), "X"}, {k132, "X"}},
        AssemblyCase{"EscapeAndTwoBytesDisappear",
                     {"A\x1b"
                      "E1B\r"},
                     {"AB"},
                     {"AB"}},
        AssemblyCase{"ControlAndHighBytesDisappear",
                     {std::string("A\x07\x80\xff\x0e\x00"
                                  "B\x7f\r",
                                  9)},
                     {"AB\x7f"},
                     {"AB\x7f"}},
        AssemblyCase{"LineSplitAcrossBursts", {"AB", "CD\r"}, {"ABCD"}, {"ABCD"}},
        AssemblyCase{"EscapeIsNotCarriedIntoTheNextBurst", {"A\x1b", "BC\r"}, {"ABC"}, {"ABC"}},
        AssemblyCase{"FormFeedEndsThePendingLine", {"AB\f"}, {"AB"}, {"AB"}}),
    [](const auto& info) { return info.param.name; });

TEST_F(Capture, EscapeStraddlingTwoChunksOfOneBurstIsDropped) {
  feed("A\x1b");
  feed("E1B\r");
  capture::burstEnded();
  EXPECT_EQ(host_->lines(), Lines{"AB"});
}

TEST_F(Capture, FormFeedWithNothingPendingPrintsAnEmptyPage) {
  burst("\f");
  EXPECT_EQ(host_->lines(), Lines{""});
  EXPECT_EQ(printer_.calls(), (Calls{"startDoc quorKVT", "startPage", "text 0 180 ",
                                     "logo 45 270 900x180", "endPage", "endDoc"}));
}

TEST_F(Capture, LinesAreLaidOutInTheMeasuredCell) {
  burst("ONE\rTWO\r\fTHREE\r");
  EXPECT_EQ(printer_.calls(),
            (Calls{"startDoc quorKVT", "startPage", "text 0 180 ONE", "text 0 270 TWO",
                   "text 0 360 ", "logo 45 450 900x180", "endPage", "endDoc", "startDoc quorKVT",
                   "startPage", "text 0 90 THREE"}));
}

TEST_F(Capture, FullPageEndsAfter66LinesWithTheLogoAtTheTopMargin) {
  std::string lines;
  for (int i = 1; i <= 67; ++i) lines += "L" + std::to_string(i) + "\r";
  burst(lines);
  const Calls calls = printer_.calls();
  const auto pageEnd = std::find(calls.begin(), calls.end(), "endPage");
  ASSERT_NE(pageEnd, calls.end());
  EXPECT_EQ(*(pageEnd - 2), "text 0 6030 L66");  // 180 + 65 x 90
  EXPECT_EQ(*(pageEnd - 1), "logo 45 90 900x180");
  EXPECT_EQ(*(pageEnd + 1), "startPage");
  EXPECT_EQ(*(pageEnd + 2), "text 0 90 L67");
}

TEST_F(Capture, ClosingEndsTheOpenPageWithoutLogo) {
  burst("ONE\r");
  printer_.clear();
  closeQuorKVT();
  EXPECT_EQ(printer_.calls(), (Calls{"endPage", "endDoc"}));
}

TEST_F(Capture, IdleMonitorFinishesThePrintoutAfterAQuietSpell) {
  capture::setIdleTick(2ms);
  burst("ONE\r");
  std::this_thread::sleep_for(400ms);  // more than 50 ticks
  capture::setIdleTick(100ms);
  EXPECT_EQ(printer_.calls(), (Calls{"startDoc quorKVT", "startPage", "text 0 180 ONE",
                                     "logo 45 270 900x180", "endPage", "endDoc"}));
}

TEST_F(Capture, NoNotificationAfterCloseUntilRegisteredAgain) {
  burst("ONE\r");
  closeQuorKVT();
  ASSERT_EQ(openQuorKVT(0), 1);
  burst("TWO\r");
  EXPECT_EQ(host_->lines(), Lines{"ONE"});
  host_->reregister();
  burst("THREE\r");
  // The line that finished before the registration was held for the host.
  ASSERT_TRUE(host_->waitFor(3, 1s));
  EXPECT_EQ(host_->lines(), (Lines{"ONE", "TWO", "THREE"}));
}

TEST_F(Capture, ClosingDropsTheLinesHeldForAHostThatNeverRegistered) {
  closeQuorKVT();
  ASSERT_EQ(openQuorKVT(0), 1);
  burst("NEVER HANDED\r");
  EXPECT_EQ(printed(), Lines{"NEVER HANDED"});  // printed all the same
  closeQuorKVT();
  ASSERT_EQ(openQuorKVT(0), 1);
  host_->reregister();
  burst("NEW\r");
  EXPECT_EQ(host_->lines(), Lines{"NEW"});
}

TEST_F(Capture, PartialLineIsWhatGetUpdateDataGivesBetweenLines) {
  burst("PART");
  char line[132];
  ASSERT_EQ(getUpdateData(line), 1);
  EXPECT_STREQ(line, "PART");
}

// A line ends the moment its 132nd character arrives; a host that copies the partial line from
// its own thread just then still gets at most 131 characters and the zero, its 132 bytes.
TEST_F(Capture, GetUpdateDataNeverWritesPastTheHostsBuffer) {
  const std::string fullLine(132, 'X');
  std::atomic<bool> feeding{true};
  std::atomic<std::size_t> longest{0};
  std::atomic<bool> overrun{false};
  std::thread hostThread([&] {
    char buffer[QUORLINK_LINE_BUFFER_SIZE + 8];
    while (feeding) {
      std::memset(buffer, '#', sizeof buffer);
      getUpdateData(buffer);
      if (buffer[QUORLINK_LINE_BUFFER_SIZE] != '#') overrun = true;
      longest = std::max(longest.load(), std::strlen(buffer));
    }
  });
  for (int i = 0; i < 2000 && !overrun; ++i) burst(fullLine);
  feeding = false;
  hostThread.join();
  EXPECT_FALSE(overrun);
  EXPECT_LE(longest.load(), std::size_t{QUORLINK_LINE_BUFFER_SIZE - 1});
}

TEST_F(Capture, LineLeftUnfinishedDoesNotStartTheNextCapture) {
  burst("UNFINISHED");
  closeQuorKVT();
  ASSERT_EQ(openQuorKVT(0), 1);
  host_->reregister();
  burst("NEW\r");
  EXPECT_EQ(host_->lines(), std::vector<std::string>{"NEW"});
}

TEST(CapturePrinting, LetterAOf50By100GivesTheCellAndLogoSize) {
  testing::RecordingPrinter printer({50, 100});
  installPrinterBackend(&printer);
  linkFlags().linkOpen = true;
  ASSERT_EQ(openQuorKVT(1), 1);
  const PrintLayout& layout = printing().layout();
  EXPECT_EQ(layout.charWidth, 45);
  EXPECT_EQ(layout.charHeight, 90);
  EXPECT_EQ(layout.lineHeight, 90);
  EXPECT_EQ(layout.currentY, 180);
  EXPECT_EQ(printer.calls(), (Calls{"choose quorKVT ask", "portrait", "font 90x45 650"}));
  closeQuorKVT();
  linkFlags().linkOpen = false;
}

}  // namespace
}  // namespace quorlink
