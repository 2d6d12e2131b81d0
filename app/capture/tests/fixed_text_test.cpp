#include "fixed_text.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

TEST(FixedText, FitCutsOrPadsToTheWidth) {
  EXPECT_EQ(fit("ES", 2), "ES");
  EXPECT_EQ(fit("7", 5), "7    ");
  EXPECT_EQ(fit("1234567890AB", 10), "1234567890");
  EXPECT_EQ(fit("", 3), "   ");
  EXPECT_EQ(fit("\xD1\xBA", 3), "\xD1\xBA ");  // Windows-1252 bytes count one each
}

TEST(FixedText, ZeroFillPutsZerosInFrontAndNeverCuts) {
  EXPECT_EQ(zeroFill("7", 3), "007");
  EXPECT_EQ(zeroFill("123456", 10), "0000123456");
  EXPECT_EQ(zeroFill("1234", 3), "1234");
  EXPECT_EQ(zeroFill("", 2), "00");
}

TEST(FixedText, TrimRemovesBlanksOnly) {
  EXPECT_EQ(trim("  AB C  "), "AB C");
  EXPECT_EQ(trim("    "), "");
  EXPECT_EQ(trim("\tA\t"), "\tA\t");
}

TEST(FixedText, UpperMapsOnlyAsciiLetters) {
  EXPECT_EQ(upper("ab-z\xF1\xE9"), "AB-Z\xF1\xE9");  // ñ and é stay as they are
}

struct NumberCase {
  const char* field;
  const char* text;
  long whole;
};

class NumberReading : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberReading, ReadsTheLeadingDecimalNumber) {
  EXPECT_EQ(numberText(GetParam().field), GetParam().text);
  EXPECT_EQ(wholeNumber(GetParam().field), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, NumberReading,
    testing::Values(NumberCase{" 0012", "12", 12},    // a blank, two zeros and 12
                    NumberCase{"1 2 3", "123", 123},  // blanks skipped wherever they stand
                    NumberCase{"007", "7", 7}, NumberCase{"000", "0", 0}, NumberCase{"", "0", 0},
                    NumberCase{"ABC", "0", 0},
                    NumberCase{"12AB34", "12", 12},  // the leading run only
                    NumberCase{"3.50", "3.5", 3}, NumberCase{"12.0", "12", 12},
                    NumberCase{"12.", "12", 12}, NumberCase{".5", "0.5", 0},
                    NumberCase{"1.2.3", "1.2", 1},  // at most one decimal point
                    NumberCase{"-5", "0", 0},       // a sign is no digit
                    NumberCase{"12345678", "12345678", 12345678}, NumberCase{"  5;", "5", 5}));

TEST(FixedText, ColumnsCountFromOneAndMayRunPastTheEnd) {
  const std::string line = "ABCDEFGH";
  EXPECT_EQ(columns(line, 1, 1), "A");
  EXPECT_EQ(columns(line, 3, 5), "CDE");
  EXPECT_EQ(columns(line, 6, 20), "FGH");
  EXPECT_EQ(columns(line, 9, 20), "");
  EXPECT_EQ(columns(line, 0, 3), "");
  EXPECT_EQ(columnsFrom(line, 7, 10), "GH");
}

TEST(FixedText, FindFromGivesTheColumnOrZero) {
  EXPECT_EQ(findFrom("A;B;C", ';'), 2u);
  EXPECT_EQ(findFrom("A;B;C", ';', 3), 4u);
  EXPECT_EQ(findFrom("A;B;C", ';', 5), 0u);
  EXPECT_EQ(findFrom("", ';'), 0u);
}

TEST(FixedText, AfterColonTakesFromTheFirstColonAtOrAfterTheColumn) {
  const std::string line = "A: 12:30  LLEGADA:15.05.09";
  EXPECT_EQ(afterColon(line, 3), " 12");
  EXPECT_EQ(afterColon(line, 8, 3), "30  LLEG");  // the colon at col 6
  EXPECT_EQ(afterColon(line, 8, 12), "15.05.09");
  EXPECT_EQ(afterColon("NO COLON HERE", 5), "NO CO");  // falls back to column 1
  EXPECT_EQ(afterColon(line, 5, 30), "A: 12");         // none from col 30 on
}

}  // namespace
}  // namespace kvt
