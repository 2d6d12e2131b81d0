// A CSV file brought into a register through the import window: the encodings and separators
// detected, the preview, the rows refused and skipped or the import stopped, the closing report,
// and all rows or none.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeWidget>

#include "databases.h"
#include "exchange_fixture.h"
#include "test_server.h"
#include "widget_steps.h"

namespace kvt {
namespace {

using testing::columnTexts;
using testing::StoredContest;
using testing::StoredMember;

QString fixture(const char* name) {
  return QStringLiteral(QUORKVT_CSV_DIR "/") + QLatin1String(name);
}

class RegisterImportTest : public testing::ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    ASSERT_TRUE(MemberRegister().add({"900", "YA ESTABA", ""}).done());
  }
};

// What every member fixture holds once its refused rows are skipped, beside the member who was
// there before, in licence order.
const std::vector<StoredMember> kImported{{"7", "GARCÍA; HIJOS \"EL RUBIO\"", ""},
                                          {"23", "MÜLLER ÑANDÚ", "Q-7"},
                                          {"101", "PEÑA O'NEILL, JOSÉ", "A1"},
                                          {"900", "YA ESTABA", ""}};

TEST_F(RegisterImportTest, EveryFormOfTheSameSpreadsheetGivesTheSameMembers) {
  struct Case {
    const char* file;
    const char* separator;
    const char* encoding;
  } cases[] = {
      {"socios_punto_y_coma_windows1252.csv", "Punto y coma (;)", "Windows-1252"},
      {"socios_coma_windows1252.csv", "Coma (,)", "Windows-1252"},
      {"socios_coma_utf8_bom.csv", "Coma (,)", "UTF-8"},
      {"socios_punto_y_coma_utf8_entre_comillas.csv", "Punto y coma (;)", "UTF-8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    MemberRegister().removeAll();
    ASSERT_TRUE(MemberRegister().add({"900", "YA ESTABA", ""}).done());
    frmImportar window(fixture(c.file));
    ASSERT_EQ(window.load(), QString());
    EXPECT_EQ(window.Combo1->currentText(), "Socios");
    EXPECT_EQ(window.Combo3->currentText(), c.separator);
    EXPECT_EQ(window.Combo4->currentText(), c.encoding);
    // Each header is its field's own name, its label or a name close to it.
    EXPECT_EQ(window.columnBox("slicencia")->currentIndex(), 1);
    EXPECT_EQ(window.columnBox("snombre")->currentIndex(), 2);
    EXPECT_EQ(window.columnBox("slicenreloj")->currentIndex(), 3);
    window.Command1->click();
    EXPECT_EQ(members(), kImported);
  }
}

TEST_F(RegisterImportTest, PreviewShowsRowsAsStoredAndWhyOthersWillNotBe) {
  frmImportar window(fixture("socios_punto_y_coma_windows1252.csv"));
  ASSERT_EQ(window.load(), QString());
  EXPECT_EQ(columnTexts(window.ListView1, 0),
            QStringList({"2", "3", "4", "5", "6", "7", "8"}));
  EXPECT_EQ(columnTexts(window.ListView1, 2),
            QStringList({"PEÑA O'NEILL, JOSÉ", "GARCÍA; HIJOS \"EL RUBIO\"", "Sin Licencia",
                         "MÜLLER ÑANDÚ", "Demasiado Larga", "Otra Vez", "Ya Estaba"}));
  EXPECT_EQ(columnTexts(window.ListView1, 4),
            QStringList({"", "", "No se grabará: sin licencia", "",
                         "No se grabará: la licencia 123456 tiene más de 5 caracteres",
                         "No se grabará: 101 ya está en la fila 2",
                         "No se grabará: 900 ya está en el registro"}));
  EXPECT_EQ(window.Label1->text(), "7 filas: 3 se grabarán, 4 no.");

  window.Command1->click();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].kind, MessageKind::Question);
  EXPECT_TRUE(messages[0].text.startsWith("4 filas no se pueden grabar"))
      << messages[0].text.toStdString();
  EXPECT_EQ(messages[1].text,
            "Importación en el registro de socios terminada.\n"
            "Añadidos: 3\n"
            "Saltados: 4\n"
            "   fila 4: sin licencia\n"
            "   fila 6: la licencia 123456 tiene más de 5 caracteres\n"
            "   fila 7: 101 ya está en la fila 2\n"
            "   fila 8: 900 ya está en el registro");
  EXPECT_EQ(members(), kImported);
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(RegisterImportTest, StoppingAtTheRefusedRowsStoresNothing) {
  answerYes = false;
  frmImportar window(fixture("socios_punto_y_coma_windows1252.csv"));
  ASSERT_EQ(window.load(), QString());
  window.Command1->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, MessageKind::Question);
  EXPECT_EQ(members(), std::vector<StoredMember>({{"900", "YA ESTABA", ""}}));
  // The window stays open, so that the user can choose other columns.
  EXPECT_NE(window.result(), QDialog::Accepted);
}

TEST_F(RegisterImportTest, AFailureHalfWayLeavesTheRegisterAsItWas) {
  // The database refuses the third member of the file, after two were written.
  QSqlQuery query(QSqlDatabase::database(kPalConnection));
  ASSERT_TRUE(query.exec("create trigger refuse_23 before insert on socios when "
                         "new.slicencia = '23' begin select raise(abort, 'disco lleno'); end"));
  frmImportar window(fixture("socios_punto_y_coma_windows1252.csv"));
  ASSERT_EQ(window.load(), QString());
  window.Command1->click();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].kind, MessageKind::Warning);
  EXPECT_TRUE(messages[1].text.startsWith(
      "No se ha importado nada; el registro de socios queda como estaba.\n"))
      << messages[1].text.toStdString();
  EXPECT_TRUE(messages[1].text.contains("disco lleno")) << messages[1].text.toStdString();
  EXPECT_EQ(members(), std::vector<StoredMember>({{"900", "YA ESTABA", ""}}));

  // Once the database takes them again, the same import stores them all.
  ASSERT_TRUE(query.exec("drop trigger refuse_23"));
  window.Command1->click();
  EXPECT_EQ(members(), kImported);
}

TEST_F(RegisterImportTest, ALargeFileGoesInWholeWithTheBarAtItsEnd) {
  QByteArray text = "slicencia;snombre;slicenreloj\r\n";
  for (int licence = 1; licence <= 3000; ++licence)
    text += QByteArray::number(licence) + ";SOCIO " + QByteArray::number(licence) + ";R\r\n";
  QFile file(path("grande.csv"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
  file.close();
  frmImportar window(path("grande.csv"));
  ASSERT_EQ(window.load(), QString());
  // The first twenty rows, and the one refused further down: the register has 900.
  EXPECT_EQ(window.ListView1->topLevelItemCount(), 21);
  EXPECT_EQ(window.ListView1->topLevelItem(20)->text(4), "No se grabará: 900 ya está en el registro");
  EXPECT_EQ(window.Label1->text(), "3000 filas: 2999 se grabarán, 1 no.");
  window.Command1->click();
  EXPECT_EQ(window.ProgressBar1->value(), window.ProgressBar1->maximum());
  EXPECT_EQ(window.ProgressBar1->maximum(), 3000);
  EXPECT_EQ(members().size(), 3000u);
  EXPECT_TRUE(messages.back().text.contains("Añadidos: 2999\nSaltados: 1\n   fila 901: 900 ya"))
      << messages.back().text.toStdString();
}

TEST_F(RegisterImportTest, ColumnsChosenByTheUserFeedTheFields) {
  frmImportar window(fixture("socios_punto_y_coma_windows1252.csv"));
  ASSERT_EQ(window.load(), QString());
  // The name column as clock number, no name.
  choose(window.columnBox("snombre"), "(ninguna)");
  choose(window.columnBox("slicenreloj"), "snombre");
  EXPECT_EQ(columnTexts(window.ListView1, 3).first(), "PEÑA O'NEILL, JOSÉ");
  window.Command1->click();
  EXPECT_EQ(members()[2], StoredMember({"101", "", "PEÑA O'NEILL, JOSÉ"}));
}

TEST_F(RegisterImportTest, AWrongEncodingChosenIsCorrectedByTheUser) {
  frmImportar window(fixture("socios_coma_utf8_bom.csv"));
  ASSERT_EQ(window.load(), QString());
  choose(window.Combo4, "Windows-1252");
  // UTF-8 read as Windows-1252: each accented letter becomes two characters.
  EXPECT_EQ(columnTexts(window.ListView1, 2).first().toStdString(), "PEÃ±A O'NEILL, JOSÃ©");
  choose(window.Combo4, "UTF-8");
  EXPECT_EQ(columnTexts(window.ListView1, 2).first(), "PEÑA O'NEILL, JOSÉ");
}

TEST_F(RegisterImportTest, TheRegisterIsPresetByWhatTheHeadersFeed) {
  const struct {
    const char* header;
    const char* kind;
  } cases[] = {{"Código;Nombre;Suelta;Enceste", "Concursos"},
               {"Licencia;Nombre;Reloj", "Socios"},
               {"cocodigo;conombre", "Concursos"},
               {"Nombre;Otra", "Socios"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.header);
    QFile file(path("cabecera.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(c.header) + "\r\n12;X;14/05/2009;12/05/2009\r\n");
    file.close();
    frmImportar window(path("cabecera.csv"));
    ASSERT_EQ(window.load(), QString());
    EXPECT_EQ(window.Combo1->currentText(), c.kind);
  }
}

TEST_F(RegisterImportTest, ContestsComeInWithTheirDates) {
  frmImportar window(fixture("concursos_punto_y_coma_windows1252.csv"));
  ASSERT_EQ(window.load(), QString());
  EXPECT_EQ(window.Combo1->currentText(), "Concursos");
  EXPECT_EQ(columnTexts(window.ListView1, 5),
            QStringList({"", "", "", "No se grabará: Suelta 31/02/2009 no es una fecha"}));
  window.Command1->click();
  EXPECT_EQ(contests(),
            std::vector<StoredContest>(
                {{"12", "VALENCIA", QDate(2009, 5, 14), QDate(2009, 5, 12)},
                 {"13", "SIN FECHA", QVariant(), QVariant()},
                 {"ab", "CÓRDOBA D'ORO", QDate(2009, 6, 1), QVariant()}}));
}

// The import's one transaction where the register lives: in the local file or on a club's server.
class ImportWhereTheRegisterLivesTest : public testing::BothBackEndsTest {
 protected:
  static std::vector<QString> licences() {
    MemberRegister reader;
    EXPECT_TRUE(reader.list(MemberOrder::Licence));
    std::vector<QString> stored;
    for (const Member& member : reader.members()) stored.push_back(member.licence);
    return stored;
  }

  // The database refuses member 23, the third the file adds, after two are written; or takes it
  // again.
  void refuse23(bool refused) {
    if (server) {
      ASSERT_TRUE(server->run(refused ? "alter table socios add constraint refuse_23 "
                                        "check (slicencia <> '23')"
                                      : "alter table socios drop constraint refuse_23"));
      return;
    }
    QSqlQuery query(QSqlDatabase::database(kPalConnection));
    ASSERT_TRUE(query.exec(refused ? "create trigger refuse_23 before insert on socios when "
                                     "new.slicencia = '23' begin select raise(abort, 'no'); end"
                                   : "drop trigger refuse_23"));
  }
};

TEST_P(ImportWhereTheRegisterLivesTest, GoesInAllOrNone) {
  refuse23(true);
  frmImportar window(fixture("socios_punto_y_coma_windows1252.csv"));
  ASSERT_EQ(window.load(), QString());
  window.Command1->click();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_TRUE(messages[1].text.startsWith(
      "No se ha importado nada; el registro de socios queda como estaba.\n"))
      << messages[1].text.toStdString();
  EXPECT_EQ(licences(), std::vector<QString>());

  refuse23(false);
  window.Command1->click();
  EXPECT_EQ(licences(), std::vector<QString>({"7", "23", "101", "900"}));
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, ImportWhereTheRegisterLivesTest,
                         ::testing::Values(testing::Backend::Local, testing::Backend::Server),
                         testing::backendName);

}  // namespace
}  // namespace kvt
