// Printing on a real PDF device: the pages as they come out, read back from the PDF.
#include <stdlib.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "capture.h"
#include "link.h"
#include "link_test_support.h"
#include "pdf_reading.h"
#include "printing.h"
#include "quorlink.h"

namespace quorlink {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string chosenDestination;

int32_t QUORLINK_CALL chooseDestination(char* buffer, uint32_t size) {
  std::snprintf(buffer, size, "%s", chosenDestination.c_str());
  return 1;
}

int32_t QUORLINK_CALL cancelChoice(char*, uint32_t) {
  return 0;
}

class PdfPrinting : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "quorlink-pdf-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    chosenDestination = "file:" + pdf(1);
    regPrinterChooser(chooseDestination);
    linkFlags().linkOpen = true;
    ASSERT_EQ(openQuorKVT(1), 1);
    ASSERT_TRUE(printing().hasDevice());
    cellWidth_ = printing().layout().charWidth;
    cellHeight_ = printing().layout().charHeight;
    ASSERT_GT(cellHeight_, 0);
  }
  void TearDown() override {
    closeQuorKVT();
    regPrinterChooser(nullptr);
    capture::setIdleTick(100ms);
    linkFlags().linkOpen = false;
    fs::remove_all(folder_);
  }

  std::string pdf(int document) const {
    return (folder_ / (document == 1 ? std::string("printout.pdf")
                                     : "printout-" + std::to_string(document) + ".pdf"))
        .string();
  }
  static void burst(std::string_view bytes) {
    capture::takePrinterText(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    capture::burstEnded();
  }
  static std::string numberedLines(int count) {
    std::string lines;
    for (int i = 1; i <= count; ++i) lines += "LINE" + std::to_string(i) + "\r";
    return lines;
  }

  fs::path folder_;
  int cellWidth_ = 0;
  int cellHeight_ = 0;
};

TEST_F(PdfPrinting, LinesStartTwoCellsDownAndStepByTheLineHeight) {
  burst("FIRST LINE\rSECOND\rTHIRD\r\f");
  const auto lines = testing::printedLines(pdf(1));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "FIRST LINE");
  EXPECT_NEAR(lines[0].top, 2 * cellHeight_, 0.25 * cellHeight_);
  EXPECT_NEAR(lines[1].top - lines[0].top, cellHeight_, 1);
  EXPECT_NEAR(lines[2].top - lines[1].top, cellHeight_, 1);
  EXPECT_NE(testing::commandOutput("pdfinfo '" + pdf(1) + "'").find("(A4)"), std::string::npos);
}

// The printout is drawn in a temporary file first; a TMPDIR that names no folder (there the
// standard library throws) gives way to /tmp.
TEST_F(PdfPrinting, ATmpdirThatIsNoFolderStillGivesThePrintout) {
  const char* saved = std::getenv("TMPDIR");
  const std::string previous = saved != nullptr ? saved : "";
  const std::string notAFolder = (folder_ / "not-a-folder").string();
  std::fclose(std::fopen(notAFolder.c_str(), "w"));
  setenv("TMPDIR", notAFolder.c_str(), 1);
  burst("FIRST LINE\r\f");
  if (saved != nullptr) {
    setenv("TMPDIR", previous.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  const auto lines = testing::printedLines(pdf(1));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "FIRST LINE");
}

TEST_F(PdfPrinting, EveryLineIsPrintedWholeUpTo132Characters) {
  std::string longest;
  for (int i = 0; i < 132; ++i) longest.push_back(static_cast<char>('0' + i % 10));
  const std::string hundred = "H" + std::string(98, '-') + "H";
  burst(longest + hundred + "\r\f");
  const auto lines = testing::printedLines(pdf(1));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, longest);
  EXPECT_EQ(lines[1].text, hundred);
}

TEST_F(PdfPrinting, AFullPageStartsTheNextOneAtTheTopMargin) {
  burst(numberedLines(70) + "\f");
  const auto lines = testing::printedLines(pdf(1));
  ASSERT_EQ(lines.size(), 70u);
  EXPECT_EQ(lines[65].page, 1);
  EXPECT_EQ(lines[65].text, "LINE66");
  EXPECT_NEAR(lines[65].top - lines[0].top, 65 * cellHeight_, 65);
  EXPECT_EQ(lines[66].page, 2);
  EXPECT_EQ(lines[66].text, "LINE67");
  EXPECT_NEAR(lines[66].top, cellHeight_, 0.25 * cellHeight_);
}

TEST_F(PdfPrinting, LogoEndsAFormFeedAndAnIdleFinishButNotTheEndOfPrinting) {
  burst("ENDED BY A FORM FEED\r\f");
  capture::setIdleTick(2ms);
  burst("ENDED BY SILENCE\r");
  std::this_thread::sleep_for(400ms);
  capture::setIdleTick(100ms);
  burst("ENDED BY CLOSING\r");
  closeQuorKVT();

  for (int document : {1, 2}) {
    const auto images = testing::printedImages(pdf(document));
    ASSERT_EQ(images.size(), 1u) << document;
    EXPECT_EQ(images[0].width, 20 * cellWidth_);
    EXPECT_EQ(images[0].height, 2 * cellHeight_);
  }
  EXPECT_TRUE(testing::printedImages(pdf(3)).empty());
  EXPECT_EQ(testing::printedLines(pdf(3)).at(0).text, "ENDED BY CLOSING");

  // The logo's dark corner stands one cell in, below the last line (which ended at 4 cells).
  const int logoTop = 4 * cellHeight_;
  EXPECT_LT(testing::greyAt(pdf(1), 1, cellWidth_ + 30, logoTop + 30), 64);
  EXPECT_GT(testing::greyAt(pdf(1), 1, cellWidth_ - 20, logoTop + 30), 192);
  EXPECT_GT(testing::greyAt(pdf(1), 1, cellWidth_ + 30, logoTop - 20), 192);
}

TEST_F(PdfPrinting, CancelledChoiceMeansNoPrinterButCaptureGoesOn) {
  closeQuorKVT();
  regPrinterChooser(cancelChoice);
  ASSERT_EQ(openQuorKVT(1), 1);
  EXPECT_FALSE(printing().hasDevice());
  testing::HostLines host;
  burst("STILL CAPTURED\r\f");
  EXPECT_EQ(host.lines(), (std::vector<std::string>{"STILL CAPTURED", ""}));
  EXPECT_FALSE(fs::exists(pdf(1)));
}

}  // namespace
}  // namespace quorlink
