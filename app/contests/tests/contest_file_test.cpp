#include "contest_file.h"

#include <optional>

#include <gtest/gtest.h>

#include "contest_list_parser.h"
#include "platform_steps.h"
#include "printouts.h"
#include "storing_rules.h"
#include "temp_folder.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

std::string expected(const std::string& name) {
  return testing::fileBytes(std::string(QUORKVT_EXPECTED_DIR) + "/" + name);
}

class ContestFile : public ::testing::Test {
 protected:
  ContestFileRequest demoRequest(const std::string& printout, ListKind kind) const {
    const ContestListing listing = parseContestList(
        storedLines(testing::printedLines(printout), StoringRuleKind::Contest), kind);
    ContestFileRequest request;
    request.header = listing.header;
    request.rows = listing.rows;
    request.contestCode = "12";
    request.licence = "345";
    request.documentsRoot = " " + root_.path().string() + " ";
    request.today = kind == ListKind::Basketing ? CivilDate{2009, 5, 14} : CivilDate{2009, 5, 15};
    return request;
  }

  testing::TempFolder root_;
};

TEST_F(ContestFile, BasketingListIsWrittenByteForByte) {
  const WrittenFile written = GrabaConcurso(demoRequest("basketing", ListKind::Basketing));
  ASSERT_TRUE(written.ok) << written.error;
  EXPECT_EQ(written.path, root_.path() / "Quor" / "12" / "E120034501.Txt");
  EXPECT_EQ(written.pigeonLines, 5u);
  EXPECT_EQ(testing::fileBytes(written.path), expected("E120034501.Txt"));
}

TEST_F(ContestFile, CheckingListIsWrittenByteForByte) {
  const WrittenFile written = GrabaConcurso(demoRequest("checking", ListKind::Checking));
  ASSERT_TRUE(written.ok) << written.error;
  EXPECT_EQ(written.path.filename(), "C120034501.Txt");
  EXPECT_EQ(testing::fileBytes(written.path), expected("C120034501.Txt"));
}

TEST_F(ContestFile, RootWithOrWithoutFinalSeparatorGivesTheSameFolder) {
  ContestFileRequest request = demoRequest("basketing", ListKind::Basketing);
  request.documentsRoot = root_.path().string() + "/";
  EXPECT_EQ(GrabaConcurso(request).path, root_.path() / "Quor" / "12" / "E120034501.Txt");
}

TEST_F(ContestFile, EmptyContestCodeWritesDirectlyInQuor) {
  ContestFileRequest request = demoRequest("basketing", ListKind::Basketing);
  request.contestCode = "";
  const WrittenFile written = GrabaConcurso(request);
  ASSERT_TRUE(written.ok) << written.error;
  EXPECT_EQ(written.path, root_.path() / "Quor" / "E0034501.Txt");
}

TEST_F(ContestFile, LicenceIsZeroFilledToFiveInTheName) {
  ContestFileRequest request = demoRequest("basketing", ListKind::Basketing);
  for (auto [licence, name] :
       {std::pair{"7", "E120000701.Txt"}, std::pair{"1234", "E120123401.Txt"},
        std::pair{"12345", "E121234501.Txt"}}) {
    request.licence = licence;
    EXPECT_EQ(GrabaConcurso(request).path.filename(), name);
  }
}

TEST_F(ContestFile, OneMoreWriteReplacesTheFile) {
  ContestFileRequest request = demoRequest("basketing", ListKind::Basketing);
  ASSERT_TRUE(GrabaConcurso(request).ok);
  request.rows.resize(1);
  const WrittenFile written = GrabaConcurso(request);
  ASSERT_TRUE(written.ok);
  const std::string bytes = testing::fileBytes(written.path);
  EXPECT_EQ(bytes, expected("E120034501.Txt").substr(0, 113 + 59) + "* 14/05/09\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(written.path.parent_path()), {}), 1);
}

struct RowCase {
  ContestRow row;
  char type;
  const char* line;
};

class PigeonLineLayout : public ::testing::TestWithParam<RowCase> {};

TEST_P(PigeonLineLayout, FollowsTheFixedColumns) {
  EXPECT_EQ(contestPigeonLine(GetParam().row, GetParam().type), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PigeonLineLayout,
    ::testing::Values(
        RowCase{{"7    ", "7    ", "ES", "09-1234567", "1234567890  ", "00:00:00", "14/05", "01",
                 "M", "007", " "},
                'E',
                "  7  ,ES,09-1234567,1234567890  ,00:00:00,14,01,M,7  ;---"},
        RowCase{{"12", "12", "ES", "09-1234567", "1234567890  ", "12:34:56", "15/05", "01", "H",
                 " 12  ", "005"},
                'C',
                "  12 ,ES,09-1234567,1234567890  ,12:34:56,15,01,H,12 ;5  "},
        // "Enc" read as a number is cut to three; "OLLegada" keeps all of 123.
        RowCase{{"3", "3", "NL", "07-2201133", "", "12:00:00", "15/05", "01", "M", "1234", "123"},
                'C',
                "  3  ,NL,07-2201133,            ,12:00:00,15,01,M,123;123"},
        // "Ca" is written as the row holds it, not cut or padded.
        RowCase{{"1", "1", "ES", "09-1", "X", "12:00:00", "15/05", "1", "M", "1", "1"},
                'C',
                "  1  ,ES,09-1      ,X           ,12:00:00,15,1,M,1  ;1  "}));

struct RefusalCase {
  const char* header;
  const char* code;
  const char* licence;
};

class ContestFileRefusal : public ContestFile, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ContestFileRefusal, WritesNothingAndSaysWhy) {
  ContestFileRequest request = demoRequest("basketing", ListKind::Basketing);
  if (*GetParam().header != '*') request.header = GetParam().header;
  request.contestCode = GetParam().code;
  request.licence = GetParam().licence;
  const WrittenFile written = GrabaConcurso(request);
  EXPECT_FALSE(written.ok);
  EXPECT_FALSE(written.error.empty());
  EXPECT_FALSE(fs::exists(root_.path() / "Quor"));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ContestFileRefusal,
    ::testing::Values(RefusalCase{"*", "../12", "345"}, RefusalCase{"*", "..", "345"},
                      RefusalCase{"*", "A/B", "345"}, RefusalCase{"*", "A\\B", "345"},
                      RefusalCase{"*", "C:", "345"}, RefusalCase{"*", "1\n2", "345"},
                      RefusalCase{"*", "12", ""}, RefusalCase{"*", "12", "123456"},
                      RefusalCase{"*", "12", "a/b"}, RefusalCase{"E0", "12", "345"},
                      RefusalCase{"", "12", "345"}, RefusalCase{"E/.;rest", "12", "345"}));

TEST_F(ContestFile, MissingRootIsAnErrorThatNamesTheFolder) {
  ContestFileRequest request = demoRequest("basketing", ListKind::Basketing);
  request.documentsRoot = (root_.path() / "absent").string();
  const WrittenFile written = GrabaConcurso(request);
  EXPECT_FALSE(written.ok);
  EXPECT_NE(written.error.find((root_.path() / "absent" / "Quor").string()), std::string::npos)
      << written.error;
}

TEST_F(ContestFile, FileWhereTheFolderShouldBeIsAnError) {
  std::FILE* blocker = std::fopen((root_.path() / "Quor").string().c_str(), "w");
  ASSERT_NE(blocker, nullptr);
  std::fclose(blocker);
  const WrittenFile written = GrabaConcurso(demoRequest("basketing", ListKind::Basketing));
  EXPECT_FALSE(written.ok);
  EXPECT_NE(written.error.find("No se pudo crear la carpeta"), std::string::npos);
}

TEST_F(ContestFile, FailedWriteKeepsThePreviousFileAndLeavesNoTemporary) {
  ContestFileRequest request = demoRequest("basketing", ListKind::Basketing);
  const WrittenFile first = GrabaConcurso(request);
  ASSERT_TRUE(first.ok);
  const std::string before = testing::fileBytes(first.path);

  // A new content (larger than a file size limit) that cannot be written whole.
  request.rows.resize(200, request.rows[0]);
  std::optional<testing::FailingReplacement> failing(std::in_place, first.path);
  const WrittenFile failed = GrabaConcurso(request);
  failing.reset();

  EXPECT_FALSE(failed.ok);
  EXPECT_NE(failed.error.find(first.path.string()), std::string::npos) << failed.error;
  EXPECT_EQ(testing::fileBytes(first.path), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(first.path.parent_path()), {}), 1);
}

TEST_F(ContestFile, FolderInTheWayOfTheFileIsAnError) {
  ContestFileRequest request = demoRequest("basketing", ListKind::Basketing);
  fs::create_directories(root_.path() / "Quor" / "12" / "E120034501.Txt");
  const WrittenFile written = GrabaConcurso(request);
  EXPECT_FALSE(written.ok);
  EXPECT_NE(written.error.find("No se pudo grabar el archivo"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(root_.path() / "Quor" / "12"), {}), 1);
}

}  // namespace
}  // namespace kvt
