#include "archive_list_parser.h"

#include <gtest/gtest.h>

#include "printouts.h"
#include "storing_rules.h"

namespace kvt {
namespace {

using Fields = std::vector<std::string>;

TEST(ArchiveList, ArchivePrintoutGivesHeaderAndRows) {
  const ArchiveListing listing =
      parseArchiveList(storedLines(testing::printedLines("archive"), StoringRuleKind::Archive));
  ASSERT_EQ(listing.status, ParseStatus::Parsed);
  EXPECT_EQ(listing.header, "P    1234;C.D. LA PALOMA  ;0000123456;0000098765");
  ASSERT_EQ(listing.rows.size(), 5u);
  const ArchiveRow& r = listing.rows[1];
  EXPECT_EQ((Fields{r.number, r.tag, r.pais, r.anilla, r.sexo, r.chip, r.comentario}),
            (Fields{" 2   ", " 2   ", "ES", "09-1234568", "H", "1234567891  ", "  "}));
  EXPECT_TRUE(listing.skippedLines.empty());
}

TEST(ArchiveList, OtherListsAreTheWrongList) {
  for (const char* name : {"basketing", "checking"}) {
    const ArchiveListing listing = parseArchiveList(CaptureText(testing::printedLines(name)));
    EXPECT_EQ(listing.status, ParseStatus::WrongList) << name;
    EXPECT_TRUE(listing.header.empty());
  }
}

// One pigeon line of an archive list and its row: number, pais, anilla, sexo, chip.
struct ArchiveCase {
  const char* line;
  Fields row;  // empty: no row
};

class ArchiveLine : public ::testing::TestWithParam<ArchiveCase> {};

TEST_P(ArchiveLine, IsCutAroundItsSexLetter) {
  const ArchiveListing listing = parseArchiveList(testing::headWith("archive", {GetParam().line}));
  if (GetParam().row.empty()) {
    EXPECT_TRUE(listing.rows.empty());
    EXPECT_EQ(listing.skippedLines, (std::vector<std::size_t>{14}));
    return;
  }
  ASSERT_EQ(listing.rows.size(), 1u);
  const ArchiveRow& r = listing.rows[0];
  EXPECT_EQ((Fields{r.number, r.pais, r.anilla, r.sexo, r.chip}), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ArchiveLine,
    ::testing::Values(
        ArchiveCase{" 1  |ES-09-1234567M |1234567890|",
                    {" 1   ", "ES", "09-1234567", "M", "1234567890  "}},
        // Blanks printed between the serial and the sex letter belong to the ring.
        ArchiveCase{" 1  |ES-09-12345  H|1234567890|",
                    {" 1   ", "ES", "09-12345  ", "H", "1234567890  "}},
        // An H anywhere wins over the M, and the serial runs up to it.
        ArchiveCase{" 1  |ES-09-12345M |12H4567890|",
                    {" 1   ", "ES", "09-12345M ", "H", "12H4567890  "}},
        // A "|" inside the chip becomes "," and stays in the chip.
        ArchiveCase{" 1  |ES-09-1234567M |12345|7890|",
                    {" 1   ", "ES", "09-1234567", "M", "12345,7890  "}},
        // A "|" inside the ring becomes the second separator: the chip is cut from there.
        ArchiveCase{" 1  |E|-09-1234567M |1234567890|",
                    {" 1   ", "E,", "09-1234567", "M", "-09-123456  "}},
        // "Nº" is the first four characters as printed, the leading one included.
        ArchiveCase{"X1  |ES-09-1234567M |1234567890|",
                    {"X1   ", "ES", "09-1234567", "M", "1234567890  "}},
        ArchiveCase{" 1  |ES-09-1234567X |1234567890|", {}},  // neither H nor M
        ArchiveCase{" 1  |CH-09-1234567M |1234567890|", {}},  // the first H is in the country
        ArchiveCase{" 1  |ES-09-1234567M 1234567890", {}}     // one separator only
        ));

TEST(ArchiveList, HeadLinesAreNeverPigeonLines) {
  std::vector<std::string> lines = testing::printedLines("archive");
  lines.resize(14);
  lines[13] = " 9  |ES-09-1234567M |1234567890|";
  const ArchiveListing listing = parseArchiveList(CaptureText(lines));
  EXPECT_EQ(listing.status, ParseStatus::Parsed);
  EXPECT_TRUE(listing.rows.empty());
}

}  // namespace
}  // namespace kvt
