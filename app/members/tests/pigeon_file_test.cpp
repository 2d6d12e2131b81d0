#include "pigeon_file.h"

#include <gtest/gtest.h>

#include "archive_list_parser.h"
#include "printouts.h"
#include "storing_rules.h"
#include "temp_folder.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

class PigeonFile : public ::testing::Test {
 protected:
  PigeonFileRequest demoRequest() const {
    const ArchiveListing listing =
        parseArchiveList(storedLines(testing::printedLines("archive"), StoringRuleKind::Archive));
    return {listing.header, listing.rows, root_.path().string(), CivilDate{2009, 5, 14}};
  }

  testing::TempFolder root_;
};

TEST_F(PigeonFile, ArchiveListIsWrittenByteForByte) {
  const WrittenFile written = GrabaPalomas(demoRequest());
  ASSERT_TRUE(written.ok) << written.error;
  EXPECT_EQ(written.path, root_.path() / "Quor" / "Palomas" / "P01234.Txt");
  EXPECT_EQ(written.pigeonLines, 5u);
  EXPECT_EQ(testing::fileBytes(written.path),
            testing::fileBytes(std::string(QUORKVT_EXPECTED_DIR) + "/P01234.Txt"));
}

TEST_F(PigeonFile, OnePigeonGivesThreeLinesAndASecondWriteReplacesThem) {
  PigeonFileRequest request = demoRequest();
  ASSERT_TRUE(GrabaPalomas(request).ok);
  request.rows.resize(1);
  request.documentsRoot = root_.path().string() + "/";
  const WrittenFile written = GrabaPalomas(request);
  ASSERT_TRUE(written.ok);
  EXPECT_EQ(testing::fileBytes(written.path),
            "P    1234;C.D. LA PALOMA  ;0000123456;0000098765\r\n"
            "  1  ,ES,09-1234567,M,1234567890  \r\n"
            "* 14/05/09\r\n");
}

struct NameCase {
  const char* header;
  const char* name;
};

class PigeonFileName : public ::testing::TestWithParam<NameCase> {};

TEST_P(PigeonFileName, ComesFromCharactersThreeToTen) {
  EXPECT_EQ(pigeonFileName(GetParam().header), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PigeonFileName,
    ::testing::Values(NameCase{"P    1234;", "P01234.Txt"}, NameCase{"P   12345;", "P12345.Txt"},
                      NameCase{"P 0000007;", "P00007.Txt"}, NameCase{"P        ;", "P00000.Txt"},
                      NameCase{"P12345678;", "P2345678.Txt"},  // numero8's first digit is not used
                      NameCase{"PABCDEFGH;", "P00000.Txt"}));

TEST(PigeonFileLine, HasThirtyFourColumns) {
  const ArchiveRow row{" 12  ", " 12  ", "ES", "09-1234567890", "H", "1234567890123", "  "};
  EXPECT_EQ(archivePigeonLine(row), "  12 ,ES,09-1234567,H,123456789012");
}

TEST_F(PigeonFile, ShortHeaderIsRefused) {
  PigeonFileRequest request = demoRequest();
  request.header = "P    1234";
  const WrittenFile written = GrabaPalomas(request);
  EXPECT_FALSE(written.ok);
  EXPECT_FALSE(written.error.empty());
  EXPECT_FALSE(fs::exists(root_.path() / "Quor"));
}

TEST_F(PigeonFile, MissingRootIsAnError) {
  PigeonFileRequest request = demoRequest();
  request.documentsRoot = (root_.path() / "absent").string();
  const WrittenFile written = GrabaPalomas(request);
  EXPECT_FALSE(written.ok);
  EXPECT_NE(written.error.find("absent"), std::string::npos);
}

}  // namespace
}  // namespace kvt
