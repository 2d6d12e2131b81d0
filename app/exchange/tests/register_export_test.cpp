// A register written to a CSV file through the export window, and read back through the import
// window: the same register.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "databases.h"
#include "exchange_fixture.h"
#include "frm_exportar.h"

namespace kvt {
namespace {

using testing::StoredContest;
using testing::StoredMember;

class RegisterExportTest : public testing::ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    // Members and contests as the screens store what is typed, with the characters a spreadsheet
    // must keep: separators, quotes, apostrophes, accents, a line end.
    for (const MemberEntry& member :
         {MemberEntry{"10", "garcía; \"el rubio\"", "a1"}, MemberEntry{"9", "O'NEILL, PEÑA", ""},
          MemberEntry{"100", "MÜLLER\r\nÑANDÚ", "Z-9"}})
      ASSERT_TRUE(MemberRegister().add(member).done());
    for (const ContestEntry& contest :
         {ContestEntry{"12", "valencia", QDate(2009, 5, 14), QDate(2009, 5, 12)},
          ContestEntry{"ab", "CÓRDOBA d'Oro", QDate(2009, 6, 1), QVariant()},
          ContestEntry{"7", "SIN FECHAS", QVariant(), QVariant()}})
      ASSERT_TRUE(ContestRegister().add(contest).done());
  }

  // Writes the register through the export window; the file's bytes.
  QByteArray exported(const QString& kind, const QString& separator, const QString& encoding,
                      const QString& file) {
    frmExportar window;
    choose(window.Combo1, kind);
    choose(window.Combo2, separator);
    choose(window.Combo3, encoding);
    window.Text1->setText(file);
    window.Command1->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    QFile written(file);
    EXPECT_TRUE(written.open(QIODevice::ReadOnly)) << file.toStdString();
    return written.readAll();
  }

  // Empties the register and brings the file in again.
  void imported(const QString& file) {
    frmImportar window(file);
    ASSERT_EQ(window.load(), QString());
    window.Command1->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
  }
};

TEST_F(RegisterExportTest, MembersAreWrittenInTheRegistersOrderAsASpanishSpreadsheetReadsThem) {
  const QByteArray bytes = exported("Socios", "Punto y coma (;)", "Windows-1252", path("socios.csv"));
  // The configuration lists members by licence: 9, 10, 100.
  EXPECT_EQ(bytes, QByteArray("slicencia;snombre;slicenreloj\r\n"
                              "9;O'NEILL, PE\xD1" "A;\r\n"
                              "10;\"GARC\xCD" "A; \"\"EL RUBIO\"\"\";A1\r\n"
                              "100;\"M\xDC" "LLER\r\n\xD1" "AND\xDA\";Z-9\r\n"));
  EXPECT_EQ(messages.back().text.left(42), "Se han exportado 3 socios al archivo " + path("s").left(5));
}

TEST_F(RegisterExportTest, ContestsAreWrittenInCodeOrderWithTheirDatesAsDayMonthYear) {
  // The configuration lists contests by code, as text.
  const QByteArray bytes = exported("Concursos", "Coma (,)", "UTF-8 con BOM", path("concursos.csv"));
  EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF" "cocodigo,conombre,cofecha,coenceste\r\n"
                              "12,VALENCIA,14/05/2009,12/05/2009\r\n"
                              "7,SIN FECHAS,,\r\n"
                              "ab,CÓRDOBA D'ORO,01/06/2009,\r\n"));
}

TEST_F(RegisterExportTest, ARegisterWindows1252CannotHoldIsNotWrittenInIt) {
  // Brought in from a UTF-8 file, say: a Polish name has a letter Windows-1252 lacks.
  ASSERT_TRUE(MemberRegister().add(MemberEntry{"55", QString::fromUtf8("\xC5\x81UKASZ"), ""}).done());
  const QString file = path("socios.csv");
  frmExportar window;
  choose(window.Combo1, "Socios");
  choose(window.Combo3, "Windows-1252");
  window.Text1->setText(file);
  window.Command1->click();
  EXPECT_NE(window.result(), QDialog::Accepted);
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_EQ(messages.back().text,
            QString::fromUtf8("No se ha exportado nada: «\xC5\x81UKASZ» (55) tiene caracteres que "
                              "Windows-1252 no puede guardar. Exporte en «UTF-8 con BOM»."));
  // In UTF-8 it goes out whole.
  EXPECT_TRUE(exported("Socios", "Punto y coma (;)", "UTF-8 con BOM", file)
                  .contains("55;\xC5\x81UKASZ;"));
}

TEST_F(RegisterExportTest, AnExportImportedAgainGivesTheSameRegister) {
  const std::vector<StoredMember> members = this->members();
  const std::vector<StoredContest> contests = this->contests();
  struct Case {
    const char* separator;
    const char* encoding;
  } cases[] = {{"Punto y coma (;)", "Windows-1252"},
               {"Coma (,)", "Windows-1252"},
               {"Punto y coma (;)", "UTF-8 con BOM"},
               {"Coma (,)", "UTF-8 con BOM"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.separator) + " " + c.encoding);
    const QString membersFile = path("socios.csv"), contestsFile = path("concursos.csv");
    exported("Socios", c.separator, c.encoding, membersFile);
    exported("Concursos", c.separator, c.encoding, contestsFile);
    ASSERT_TRUE(MemberRegister().removeAll().done());
    for (const Contest& contest : [] {
           ContestRegister reader;
           reader.list(ContestOrder::Code);
           return reader.contests();
         }())
      ASSERT_TRUE(ContestRegister().remove(contest).done());
    imported(membersFile);
    imported(contestsFile);
    // Listed by licence and by code, whatever order they were added in.
    auto byKey = [](std::vector<StoredMember> list) {
      std::sort(list.begin(), list.end(), [](auto& a, auto& b) { return a.licence < b.licence; });
      return list;
    };
    EXPECT_EQ(byKey(this->members()), byKey(members));
    EXPECT_EQ(this->contests(), contests);
  }
}

}  // namespace
}  // namespace kvt
