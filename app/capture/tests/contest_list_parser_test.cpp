#include "contest_list_parser.h"

#include <gtest/gtest.h>

#include "printouts.h"
#include "storing_rules.h"

namespace kvt {
namespace {

using Fields = std::vector<std::string>;

Fields fieldsOf(const ContestRow& r) {
  return {r.number, r.tag, r.pais, r.anilla, r.chip,    r.hora,
          r.dia,    r.ca,  r.sexo, r.enc,    r.ollegada};
}

CaptureText demoCapture(const std::string& name) {
  return storedLines(testing::printedLines(name), StoringRuleKind::Contest);
}

CaptureText withLine(CaptureText capture, std::size_t n, std::string text) {
  auto lines = capture.lines();
  lines.resize(std::max(lines.size(), n + 1));
  lines[n] = std::move(text);
  return CaptureText(std::move(lines));
}

TEST(ContestList, BasketingPrintoutGivesHeaderAndRows) {
  const ContestListing listing = parseContestList(demoCapture("basketing"), ListKind::Basketing);
  ASSERT_EQ(listing.status, ParseStatus::Parsed);
  EXPECT_EQ(listing.header,
            "E01;12   ;MADRID-CHAMARTIN;0000123456;0000098765;14.05.09 10:20:30;"
            "00.00.00 00:00:00;00.00.00 00:00:00; 000;037");
  EXPECT_EQ(listing.header.size(), 111u);
  ASSERT_EQ(listing.rows.size(), 5u);
  EXPECT_EQ(fieldsOf(listing.rows[0]), (Fields{"1    ", "1    ", "ES", "09-1234567", "1234567890  ",
                                               "00:00:00", "14/05", "01", "M", "001", " "}));
  EXPECT_EQ(fieldsOf(listing.rows[2]), (Fields{"3    ", "3    ", "B ", "08-0765432", "ABCD123456  ",
                                               "00:00:00", "14/05", "01", "M", "003", " "}));
  EXPECT_TRUE(listing.skippedLines.empty());
}

TEST(ContestList, CheckingPrintoutGivesHeaderAndNumberedRows) {
  const ContestListing listing = parseContestList(demoCapture("checking"), ListKind::Checking);
  ASSERT_EQ(listing.status, ParseStatus::Parsed);
  EXPECT_EQ(listing.header,
            "C01;12   ;MADRID-CHAMARTIN;0000123456;0000098765;14.05.09 10:20:30;"
            "15.05.09 12:00:00;15.05.09 07:30:00;1234;003");
  ASSERT_EQ(listing.rows.size(), 3u);
  EXPECT_EQ(fieldsOf(listing.rows[0]), (Fields{"1", "1", "ES", "09-1234568", "1234567891  ",
                                               "12:34:56", "15/05", "01", "H", " 1   ", "001"}));
  EXPECT_EQ(listing.rows[2].number, "3");
  EXPECT_EQ(listing.rows[2].hora, "12:41:02");
}

TEST(ContestList, AnotherListOrNoTextIsNotParsed) {
  EXPECT_EQ(parseContestList(demoCapture("checking"), ListKind::Basketing).status,
            ParseStatus::WrongList);
  EXPECT_EQ(parseContestList(demoCapture("basketing"), ListKind::Checking).status,
            ParseStatus::WrongList);
  EXPECT_EQ(parseContestList(demoCapture("archive"), ListKind::Checking).status,
            ParseStatus::WrongList);
  EXPECT_EQ(parseContestList(CaptureText(), ListKind::Basketing).status, ParseStatus::EmptyCapture);
}

struct TitleCase {
  const char* line1;
  ListKind kind;
  bool names;
};

class Title : public ::testing::TestWithParam<TitleCase> {};

TEST_P(Title, IsComparedExactlyAfterTrimming) {
  const CaptureText capture = withLine(demoCapture("basketing"), 1, GetParam().line1);
  EXPECT_EQ(titleNames(capture, GetParam().kind), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, Title,
    ::testing::Values(
        TitleCase{"                    LISTA DE ENCESTAR", ListKind::Basketing, true},
        TitleCase{"                       LISTA DE ENCESTAR   ", ListKind::Basketing, true},
        TitleCase{"                    lista de encestar", ListKind::Basketing, false},
        TitleCase{"                    LISTA DE  COMPROBACION", ListKind::Checking, true},
        TitleCase{"                    LISTA DE COMPROBACION", ListKind::Checking, false},
        TitleCase{"LISTA DE ENCESTAR", ListKind::Basketing, false},  // before col 21
        TitleCase{"                    LISTA DEL ARCHIVO", ListKind::Archive, true}));

// One pigeon line of a basketing list, and the row it gives (no row: skipped).
struct BasketingCase {
  const char* line;
  Fields row;  // number, pais, anilla, chip, sexo, enc
};

class BasketingLine : public ::testing::TestWithParam<BasketingCase> {};

TEST_P(BasketingLine, IsCutByItsSeparatorsAndDashes) {
  const ContestListing listing =
      parseContestList(testing::headWith("basketing", {GetParam().line}), ListKind::Basketing);
  if (GetParam().row.empty()) {
    EXPECT_TRUE(listing.rows.empty());
    return;
  }
  ASSERT_EQ(listing.rows.size(), 1u);
  const ContestRow& r = listing.rows[0];
  EXPECT_EQ((Fields{r.number, r.pais, r.anilla, r.chip, r.sexo, r.enc}), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BasketingLine,
    ::testing::Values(BasketingCase{" 7  |ES-09-1234567M |1234567890|",
                                    {"7    ", "ES", "09-1234567", "1234567890  ", "M", "007"}},
                      BasketingCase{" 123|ES-09-1234567H |1234567890|",
                                    {"123  ", "ES", "09-1234567", "1234567890  ", "H", "123"}},
                      // One blank and the order 10: column 2 is the digit 1.
                      BasketingCase{" 10 |NL-07-2201133H |          |",
                                    {"10   ", "NL", "07-2201133", "            ", "H", "010"}},
                      // A chip column of more than ten characters gives its first ten.
                      BasketingCase{" 1  |ES-09-1234567M | 1234567890ABC|",
                                    {"1    ", "ES", "09-1234567", "123456789   ", "M", "001"}},
                      // A shorter serial ends two characters before the separator, like a full one.
                      BasketingCase{" 2  |F -09-45678M |900000000F|",
                                    {"2    ", "F ", "09-45678  ", "900000000F  ", "M", "002"}},
                      BasketingCase{"  7 |ES-09-1234567M |1234567890|", {}},  // column 2 is a blank
                      BasketingCase{"10  |ES-09-1234567M |1234567890|",
                                    {}},  // column 2 is the digit 0
                      BasketingCase{" 1  ES-09-1234567M 1234567890", {}},     // no separator
                      BasketingCase{" 1  |ES 09 1234567M |1234567890|", {}},  // no dash
                      BasketingCase{" 1000|ES-09-1234567M |1234567890|", {}}
                      // an order of four characters
                      ));

TEST(ContestList, BasketingLinesThatCannotBeCutAreReported) {
  const ContestListing listing =
      parseContestList(testing::headWith("basketing", {" 1  |ES-09-1234567M |1234567890|",
                                                       " 1000|ES-09-1M |X|", " 2  no separators"}),
                       ListKind::Basketing);
  EXPECT_EQ(listing.rows.size(), 1u);
  EXPECT_EQ(listing.skippedLines, (std::vector<std::size_t>{22, 23}));
}

// One pigeon line of a checking list, and its row: pais, anilla, chip, hora, dia, sexo, enc,
// ollegada.
struct CheckingCase {
  const char* line;
  Fields row;
};

class CheckingLine : public ::testing::TestWithParam<CheckingCase> {};

TEST_P(CheckingLine, EverySeparatedLineGivesARow) {
  const ContestListing listing =
      parseContestList(testing::headWith("checking", {GetParam().line}), ListKind::Checking);
  ASSERT_EQ(listing.rows.size(), 1u);
  const ContestRow& r = listing.rows[0];
  EXPECT_EQ((Fields{r.pais, r.anilla, r.chip, r.hora, r.dia, r.sexo, r.enc, r.ollegada}),
            GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CheckingLine,
    ::testing::Values(
        CheckingCase{
            " 4  |ES-09-1234567M |1234567890| 15.05 12:34:56|  5|",
            {"ES", "09-1234567", "1234567890  ", "12:34:56", "15/05", "M", " 4   ", "005"}},
        // An H anywhere in the line, here in the chip, makes the pigeon a hen.
        CheckingCase{
            " 4  |ES-09-1234567M |12345H7890| 15.05 12:34:56|  5|",
            {"ES", "09-1234567", "12345H7890  ", "12:34:56", "15/05", "H", " 4   ", "005"}},
        // Only the digits among characters 7 to 14 of the ring column make the serial.
        CheckingCase{
            " 12 |ES-08-76 5432M |ABCD123456| 16.05 08:00:01|123|",
            {"ES", "08-765432 ", "ABCD123456  ", "08:00:01", "16/05", "M", " 12  ", "123"}},
        // A "|" inside the chip moves the third separator: day and time are cut from there.
        CheckingCase{
            " 4  |ES-09-1234567M |12345|7890| 15.05 12:34:56|  5|",
            {"ES", "09-1234567", "12345;7890  ", "5.05 12:", "890; ", "M", " 4   ", "015"}},
        // No arrival column: the fields that need it stay blank, the row is still given.
        CheckingCase{
            " 4  |ES-09-1234567M |1234567890",
            {"ES", "09-1234567", "1234567890  ", "        ", "     ", "M", " 4   ", "   "}},
        // One separator is enough for a row.
        CheckingCase{
            " 4  | no ring here",
            {"  ", "          ", "            ", "        ", "     ", "M", " 4   ", "   "}}));

// A summary line passes the column-2 test, but has none of the list's separators: it is no pigeon.
TEST(ContestList, CheckingLinesWithoutSeparatorsAreReportedNotWritten) {
  const ContestListing listing = parseContestList(
      testing::headWith("checking", {" 1  |ES-09-1234568H |1234567891| 15.05 12:34:56|  1|",
                                     " 3 PALOMAS LLEGADAS", " 4  no ring here",
                                     " 2  |ES-09-1234567M |1234567890| 15.05 12:35:10|  2|"}),
      ListKind::Checking);
  ASSERT_EQ(listing.rows.size(), 2u);
  EXPECT_EQ(listing.rows[1].number, "2");  // the running number skips what is no pigeon
  EXPECT_EQ(listing.skippedLines, (std::vector<std::size_t>{22, 23}));
}

struct HeaderCase {
  std::size_t line;
  const char* text;
  const char* header;  // the expected header line
};

class CheckingHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(CheckingHeader, TakesEachFieldFromItsPlace) {
  const CaptureText capture = withLine(demoCapture("checking"), GetParam().line, GetParam().text);
  EXPECT_EQ(parseContestList(capture, ListKind::Checking).header, GetParam().header);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CheckingHeader,
    ::testing::Values(
        // A blank arrival time after the colon empties both times and the value.
        HeaderCase{9, "ENCESTE        : 14.05.09 10:20:30          LLEGADA     :",
                   "C01;12   ;MADRID-CHAMARTIN;0000123456;0000098765;14.05.09 10:20:30;"
                   "00.00.00 00:00:00;00.00.00 00:00:00; 000;003"},
        // numero: eight digits read as a number and cut to five.
        HeaderCase{5, "CONCURSO N.  :12345678",
                   "C01;12345;                ;0000123456;0000098765;14.05.09 10:20:30;"
                   "15.05.09 12:00:00;15.05.09 07:30:00;1234;003"},
        // valor4 without its colon is taken from column 1.
        HeaderCase{10, "98",
                   "C01;12   ;MADRID-CHAMARTIN;0000123456;0000098765;14.05.09 10:20:30;"
                   "15.05.09 12:00:00;15.05.09 07:30:00;98  ;003"},
        HeaderCase{12, "PALOMAS LLEGADAS :   42",
                   "C01;12   ;MADRID-CHAMARTIN;0000123456;0000098765;14.05.09 10:20:30;"
                   "15.05.09 12:00:00;15.05.09 07:30:00;1234;042"},
        // A count of 1000 or more keeps all its digits; one without digits is 000.
        HeaderCase{12, "PALOMAS LLEGADAS : 1001",
                   "C01;12   ;MADRID-CHAMARTIN;0000123456;0000098765;14.05.09 10:20:30;"
                   "15.05.09 12:00:00;15.05.09 07:30:00;1234;1001"},
        HeaderCase{12, "PALOMAS LLEGADAS :  --",
                   "C01;12   ;MADRID-CHAMARTIN;0000123456;0000098765;14.05.09 10:20:30;"
                   "15.05.09 12:00:00;15.05.09 07:30:00;1234;000"}));

struct TotalCase {
  const char* columns18to20;
  const char* total;
};

class BasketingTotal : public ::testing::TestWithParam<TotalCase> {};

TEST_P(BasketingTotal, IsWrittenAsThreeDigits) {
  const CaptureText capture =
      withLine(demoCapture("basketing"), 11,
               std::string("PALOMAS        :") + " " + GetParam().columns18to20);
  EXPECT_EQ(parseContestList(capture, ListKind::Basketing).header.substr(108), GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(Totals, BasketingTotal,
                         ::testing::Values(TotalCase{"  5", "005"}, TotalCase{" 42", "042"},
                                           TotalCase{"123", "123"}, TotalCase{"-12", "000"},
                                           TotalCase{"   ", "000"}, TotalCase{"ABC", "000"}));

TEST(ContestList, ShortCaptureGivesBlankFieldsNotAFailure) {
  const CaptureText capture(std::vector<std::string>{"", "                    LISTA DE ENCESTAR"});
  const ContestListing listing = parseContestList(capture, ListKind::Basketing);
  ASSERT_EQ(listing.status, ParseStatus::Parsed);
  EXPECT_EQ(listing.header,
            "E  ;0    ;                ;0000000000;0000000000;                 ;"
            "00.00.00 00:00:00;00.00.00 00:00:00; 000;000");
  EXPECT_TRUE(listing.rows.empty());
}

}  // namespace
}  // namespace kvt
