// The rules of bringing registers in and taking them out: CSV text, the mapping of columns to
// fields, and the checks of the rows.
#include <gtest/gtest.h>

#include "column_mapping.h"
#include "csv_text.h"
#include "import_rows.h"

namespace kvt {
namespace {

using Records = std::vector<std::vector<std::string>>;

TEST(CsvText, ShapeIsDetectedFromTheBytes) {
  struct Case {
    const char* what;
    std::string bytes;
    CsvShape shape;
  } cases[] = {
      {"semicolons, plain ASCII", "slicencia;snombre\r\n1;A\r\n", {';', TextEncoding::Windows1252}},
      {"commas", "slicencia,snombre\r\n1,A\r\n", {',', TextEncoding::Windows1252}},
      {"commas inside quotes do not count", "\"a,b,c\";x\r\n", {';', TextEncoding::Windows1252}},
      {"semicolons inside quotes do not count", "\"a;b;c\",x\n", {',', TextEncoding::Windows1252}},
      {"UTF-8 BOM", "\xEF\xBB\xBFlicencia,nombre\n", {',', TextEncoding::Utf8}},
      {"UTF-8 without BOM", "licencia;nombre\n1;PE\xC3\x91" "A\n", {';', TextEncoding::Utf8}},
      {"Windows-1252 accents", "licencia;nombre\n1;PE\xD1" "A\n", {';', TextEncoding::Windows1252}},
      {"a lone UTF-8 lead byte is Windows-1252", "a;\xC3\n", {';', TextEncoding::Windows1252}},
      {"neither separator", "licencia\n1\n", {';', TextEncoding::Windows1252}},
      {"only the first record counts", "a;b\nc,d,e,f\n", {';', TextEncoding::Windows1252}},
  };
  for (const Case& c : cases) EXPECT_EQ(detectCsvShape(c.bytes), c.shape) << c.what;
}

TEST(CsvText, RecordsAreCutOutsideQuotes) {
  struct Case {
    const char* what;
    std::string bytes;
    char separator;
    Records records;
  } cases[] = {
      {"CR LF, LF and CR end records", "a;b\r\nc;d\ne;f\rg;h", ';',
       {{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}}},
      {"quoted separators and line ends", "\"a;b\";\"c\r\nd\"\n", ';', {{"a;b", "c\r\nd"}}},
      {"doubled quotes", "\"O\"\"BRIEN\";x\n", ';', {{"O\"BRIEN", "x"}}},
      {"a quote inside an unquoted cell is a character", "D'ANGELO;12\"\n", ';',
       {{"D'ANGELO", "12\""}}},
      {"empty cells", ";;\n\"\";x\n", ';', {{"", "", ""}, {"", "x"}}},
      {"blank lines are no records", "a\n\n\r\nb\n", ';', {{"a"}, {"b"}}},
      {"a BOM is skipped", "\xEF\xBB\xBF" "a,b\n", ',', {{"a", "b"}}},
      {"the other separator is text", "a,b;c\n", ';', {{"a,b", "c"}}},
      {"blanks are kept", " a ; b \n", ';', {{" a ", " b "}}},
  };
  for (const Case& c : cases) EXPECT_EQ(readCsv(c.bytes, c.separator), c.records) << c.what;
}

TEST(CsvText, WrittenRecordsReadBackAsTheyWere) {
  const Records records{{"123", "PEÑA O'NEILL, JOSÉ", "A1"},
                        {"7", "DICHO \"EL RUBIO\"; HIJO", ""},
                        {" 8", "DOS\r\nLÍNEAS", "x "},
                        {"", "", ""}};
  for (const char separator : {';', ','}) {
    std::string text;
    for (const auto& record : records) text += csvRecord(record, separator);
    EXPECT_EQ(readCsv(text, separator), records) << separator;
  }
  EXPECT_EQ(csvRecord({"1", "PLAIN"}, ';'), "1;PLAIN\r\n");
  EXPECT_EQ(csvRecord({"a,b", "c;d"}, ';'), "a,b;\"c;d\"\r\n");
}

const std::vector<RegisterField> kMemberFields{
    {u"slicencia", u"Licencia", {u"Lic"}},
    {u"snombre", u"Nombre", {u"Socio"}},
    {u"slicenreloj", u"Nº de Reloj", {u"Reloj", u"Nº Reloj"}}};
const std::vector<RegisterField> kContestFields{
    {u"cocodigo", u"Código", {u"Cod"}},
    {u"conombre", u"Nombre", {}},
    {u"cofecha", u"Suelta", {u"Fecha", u"Fecha de suelta"}, true},
    {u"coenceste", u"Enceste", {u"Fecha de enceste"}, true}};

TEST(ColumnMapping, PresetByOwnNamesThenByTheClosestHeader) {
  struct Case {
    const char* what;
    std::vector<std::u16string> headers;
    const std::vector<RegisterField>* fields;
    std::vector<int> mapping;
  } cases[] = {
      {"own names in any order and case", {u"SNOMBRE", u"slicenreloj", u"Slicencia"}, &kMemberFields,
       {2, 0, 1}},
      {"contest's own names", {u"coenceste", u"cofecha", u"conombre", u"cocodigo"}, &kContestFields,
       {3, 2, 1, 0}},
      {"labels with accents and signs not counting", {u"LICENCIA", u"nombre", u"N. de reloj"},
       &kMemberFields, {0, 1, 2}},
      {"other names", {u"Socio", u"Lic", u"Reloj"}, &kMemberFields, {1, 0, 2}},
      {"a header that holds a name", {u"Licencia federativa", u"Nombre completo", u"Telefono"},
       &kMemberFields, {0, 1, -1}},
      {"a slip of a letter", {u"Lizencia", u"Nombres"}, &kMemberFields, {0, 1, -1}},
      {"nothing close", {u"Telefono", u"Email"}, &kMemberFields, {-1, -1, -1}},
      {"a header feeds one field: the closer one wins", {u"Fecha de suelta", u"Fecha de enceste"},
       &kContestFields, {-1, -1, 0, 1}},
      {"an own name beats a label", {u"Nombre", u"snombre", u"slicencia"}, &kMemberFields,
       {2, 1, -1}},
      {"no headers", {}, &kMemberFields, {-1, -1, -1}},
  };
  for (const Case& c : cases) EXPECT_EQ(presetMapping(c.headers, *c.fields), c.mapping) << c.what;
}

TEST(ImportRows, CellsAreTakenFromTheMappedColumns) {
  const std::vector<std::vector<std::u16string>> table{{u"a", u"b", u"c"}, {u"d"}};
  const std::vector<std::vector<std::u16string>> mapped{{u"c", u"", u"a"}, {u"", u"", u"d"}};
  EXPECT_EQ(mappedRows(table, {2, -1, 0}), mapped);
}

TEST(ImportRows, RowsAreCheckedAsTheRegisterChecksTyping) {
  struct Case {
    const char* what;
    std::vector<std::u16string> row;
    RowRefusal refusal;
    std::vector<std::u16string> stored;  // when not refused
  } cases[] = {
      {"trimmed", {u"  77 ", u" pérez ", u" a1 "}, RowRefusal::None, {u"77", u"pérez", u"a1"}},
      {"no licence", {u"  ", u"NADIE", u""}, RowRefusal::KeyEmpty, {}},
      {"five characters at most", {u"12345", u"A", u""}, RowRefusal::None, {u"12345", u"A", u""}},
      {"six are too many", {u"123456", u"A", u""}, RowRefusal::KeyTooLong, {}},
      {"in the register, blanks and case not counting", {u"ab1", u"A", u""},
       RowRefusal::KeyInRegister, {}},
      {"missing cells are empty", {u"88"}, RowRefusal::None, {u"88", u"", u""}},
  };
  const std::vector<std::u16string> held{u"AB1 "};
  for (const Case& c : cases) {
    const auto checked = checkRows({c.row}, kMemberFields, held);
    ASSERT_EQ(checked.size(), 1u);
    EXPECT_EQ(checked[0].refusal, c.refusal) << c.what;
    if (c.refusal == RowRefusal::None) {
      EXPECT_EQ(checked[0].cells, c.stored) << c.what;
    }
  }
}

TEST(ImportRows, AKeyTwiceInTheFileIsStoredOnce) {
  const auto checked =
      checkRows({{u"5", u"A", u""}, {u"6", u"B", u""}, {u" 5", u"C", u""}}, kMemberFields, {});
  EXPECT_EQ(checked[0].refusal, RowRefusal::None);
  EXPECT_EQ(checked[1].refusal, RowRefusal::None);
  EXPECT_EQ(checked[2].refusal, RowRefusal::KeyTwiceInFile);
  EXPECT_EQ(checked[2].earlierRow, 0u);
}

TEST(ImportRows, DatesAreDatesOrEmpty) {
  struct Case {
    const char* what;
    std::u16string release;
    RowRefusal refusal;
    std::u16string stored;
  } cases[] = {
      {"a full date", u"14/05/2009", RowRefusal::None, u"14/05/2009"},
      {"a short one", u" 4/5/09 ", RowRefusal::None, u"04/05/2009"},
      {"empty", u"", RowRefusal::None, u""},
      {"an older register's empty mask", u"__/__/____", RowRefusal::None, u""},
      {"no such day", u"31/02/2009", RowRefusal::NoDate, {}},
      {"a half-filled mask", u"14/05/____", RowRefusal::NoDate, {}},
      {"words", u"mañana", RowRefusal::NoDate, {}},
      {"the year first", u"2009-05-14", RowRefusal::NoDate, {}},
  };
  for (const Case& c : cases) {
    const auto checked = checkRows({{u"12", u"VALENCIA", c.release, u""}}, kContestFields, {});
    EXPECT_EQ(checked[0].refusal, c.refusal) << c.what;
    if (c.refusal == RowRefusal::None) {
      EXPECT_EQ(checked[0].cells[2], c.stored) << c.what;
    }
    if (c.refusal == RowRefusal::NoDate) {
      EXPECT_EQ(checked[0].field, 2u) << c.what;
    }
  }
  // A row refused for its date does not take its code from a later row.
  const auto checked = checkRows({{u"12", u"A", u"no", u""}, {u"12", u"B", u"", u""}},
                                 kContestFields, {});
  EXPECT_EQ(checked[1].refusal, RowRefusal::None);
}

}  // namespace
}  // namespace kvt
