#include "output_file.h"

#include <gtest/gtest.h>

#include "civil_date.h"
#include "temp_folder.h"

namespace kvt {
namespace {

TEST(DocumentsRoot, BlanksAreTrimmedAndEmptyMeansTheDefault) {
  EXPECT_EQ(documentsRoot("  /srv/datos  "), std::filesystem::path("/srv/datos"));
  EXPECT_EQ(documentsRoot("   "), defaultDocumentsRoot());
  EXPECT_EQ(documentsRoot(""), defaultDocumentsRoot());
}

TEST(PlainName, RefusesWhatWouldLeadElsewhere) {
  for (const char* name : {"12", "AB C", "", ".", "E120034501.Txt", "\xD1"}) {
    EXPECT_TRUE(isPlainName(name)) << name;
  }
  for (const char* name : {"..", "a..b", "a/b", "a\\b", "C:", "a\tb", "a\x7f"}) {
    EXPECT_FALSE(isPlainName(name)) << name;
  }
}

TEST(ShortDate, IsDayMonthTwoDigitYear) {
  EXPECT_EQ(shortDate({2009, 5, 14}), "14/05/09");
  EXPECT_EQ(shortDate({2026, 12, 1}), "01/12/26");
}

TEST(ListFile, EndsEveryLineWithCrLfAndHasNoByteOrderMark) {
  testing::TempFolder root;
  const WrittenFile written =
      writeListFile(root.path(), "X", "F.Txt", "H\xD1", {"a", "b"}, CivilDate{2009, 5, 14});
  ASSERT_TRUE(written.ok) << written.error;
  std::FILE* f = std::fopen(written.path.string().c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char bytes[64] = {};
  const std::size_t n = std::fread(bytes, 1, sizeof bytes, f);
  std::fclose(f);
  EXPECT_EQ(std::string(bytes, n), "H\xD1\r\na\r\nb\r\n* 14/05/09\r\n");
}

}  // namespace
}  // namespace kvt
