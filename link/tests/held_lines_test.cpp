// Lines that a clock prints before the printer is chosen or before the host has registered: held
// in order, printed and handed over as soon as the printer and the host are there.
#include "held_lines.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "link_test_support.h"
#include "pdf_reading.h"
#include "printout_player.h"
#include "quorlink.h"

namespace quorlink {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

struct BoundCase {
  const char* name;
  int printed;     // lines added and printed first
  int unprinted;   // lines added after them, still waiting for the printer
  int added;       // lines added on top, with capacity 4
  Lines handed;    // what the host gets once everything is printed
  bool lastKept;
};

void PrintTo(const BoundCase& c, std::ostream* out) {
  *out << c.name;
}

class HeldLinesBound : public ::testing::TestWithParam<BoundCase> {};

TEST_P(HeldLinesBound, PastTheBoundThePrintedLinesMakeRoomFirst) {
  const BoundCase& c = GetParam();
  capture::HeldLines held(4);
  int number = 0;
  auto add = [&] { return held.add({"L" + std::to_string(++number), capture::LineEnd::FullLine}); };
  for (int i = 0; i < c.printed; ++i) {
    add();
    ASSERT_TRUE(held.nextToPrint());
  }
  for (int i = 0; i < c.unprinted; ++i) add();
  bool kept = true;
  for (int i = 0; i < c.added; ++i) kept = add();
  EXPECT_EQ(kept, c.lastKept);
  while (held.nextToPrint()) {
  }
  Lines handed;
  while (auto text = held.nextToHand()) handed.push_back(*text);
  EXPECT_EQ(handed, c.handed);
}

INSTANTIATE_TEST_SUITE_P(
    HeldLines, HeldLinesBound,
    ::testing::Values(
        BoundCase{"UnderTheBoundNothingIsLost", 1, 1, 2, {"L1", "L2", "L3", "L4"}, true},
        BoundCase{"PrintedLinesWaitingForTheHostGoOldestFirst", 3, 0, 3,
                  {"L3", "L4", "L5", "L6"}, true},
        BoundCase{"APrintedLineMakesRoomForOneWaitingForThePrinter", 1, 3, 1,
                  {"L2", "L3", "L4", "L5"}, true},
        BoundCase{"WhenAllWaitForThePrinterTheNewLineIsDropped", 0, 4, 2,
                  {"L1", "L2", "L3", "L4"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The demo basketing list as a clock prints it.
Lines demoPrintout() {
  std::ifstream in(std::string(QUORKVT_DEMO_DIR) + "/basketing.txt", std::ios::binary);
  Lines lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A line as it reads back from the PDF: runs of blanks as one, none at either end.
std::string asReadBack(const std::string& line) {
  std::istringstream words(line);
  std::string out;
  for (std::string word; words >> word;) out += (out.empty() ? "" : " ") + word;
  return out;
}

std::string chosenPdf;
std::chrono::milliseconds dialogTime{0};

// A person in the printer dialog: some seconds, then printing to a PDF file.
int32_t QUORLINK_CALL slowPerson(char* buffer, uint32_t size) {
  std::this_thread::sleep_for(dialogTime);
  std::snprintf(buffer, size, "file:%s", chosenPdf.c_str());
  return 1;
}

struct SlowStart {
  const char* name;
  std::chrono::milliseconds dialog;
  bool registersFirst;                   // the host registers before openQuorKVT
  std::chrono::milliseconds registration;  // else: this long after the dialog
};

void PrintTo(const SlowStart& c, std::ostream* out) {
  *out << c.name;
}

class SlowCaptureStart : public ::testing::TestWithParam<SlowStart> {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "quorlink-held-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    chosenPdf = (folder_ / "printout.pdf").string();
    regPrinterChooser(slowPerson);
  }
  void TearDown() override {
    regPrinterChooser(nullptr);
    fs::remove_all(folder_);
  }
  fs::path folder_;
};

TEST_P(SlowCaptureStart, APrintoutStartedDuringTheDialogArrivesWholeAndInOrder) {
  const SlowStart& c = GetParam();
  dialogTime = c.dialog;
  quorclock::PtyClock clock(3);
  ASSERT_EQ(openQuorConnection("3"), 1);
  ASSERT_TRUE(clock.waitUntilOpened(1s));
  const Lines printout = demoPrintout();
  // The clock prints at 9600 baud as soon as it is asked, whatever the host is doing.
  std::thread player([&] {
    quorclock::PlayOptions options;
    quorclock::play(clock, quorclock::printoutChunks(printout, options), options.perByte);
  });
  std::optional<testing::HostLines> host;
  if (c.registersFirst) host.emplace();
  std::this_thread::sleep_for(50ms);  // the first lines are on their way
  ASSERT_EQ(openQuorKVT(1), 1);
  std::this_thread::sleep_for(c.registration);
  if (!host) host.emplace();
  player.join();
  ASSERT_TRUE(host->waitFor(printout.size() + 1, 10s));

  Lines expected;
  for (const std::string& line : printout) expected.push_back(line.substr(0, 75));
  expected.push_back("");  // the form feed
  EXPECT_EQ(host->lines(), expected);
  // The form feed ended the document: it is in its file, every line in its place.
  Lines printed;
  for (const auto& line : testing::printedLines(chosenPdf)) printed.push_back(line.text);
  Lines expectedPrinted;
  for (const std::string& line : printout) {
    if (!asReadBack(line).empty()) expectedPrinted.push_back(asReadBack(line));
  }
  EXPECT_EQ(printed, expectedPrinted);
  host.reset();
}

INSTANTIATE_TEST_SUITE_P(
    Capture, SlowCaptureStart,
    ::testing::Values(SlowStart{"DialogHeldThreeSeconds", 3s, false, 0ms},
                      SlowStart{"HostRegistersThreeSecondsAfterTheDialog", 500ms, false, 3s},
                      SlowStart{"HostRegisteredBeforeTheDialog", 3s, true, 0ms}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorlink
