// The contest register and the contest browser, driving their real widgets.
#include <QAction>
#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <vector>

#include "aconcurso1.h"
#include "app_state.h"
#include "concurso1.h"
#include "databases.h"
#include "datos_concur.h"
#include "frm_main.h"
#include "record_set.h"
#include "register_parts.h"
#include "shell_fixture.h"
#include "widget_steps.h"

namespace kvt {
namespace {

using testing::columnTexts;
using testing::moveFocusIn;
using testing::moveFocusOut;
using testing::selectByText;
using testing::selectedText;
using testing::showActive;
using testing::whenModalOpens;

struct StoredContest {
  QString code;
  QString name;
  QVariant enceste;
  QVariant suelta;
  bool operator==(const StoredContest&) const = default;
};

std::ostream& operator<<(std::ostream& out, const StoredContest& contest) {
  return out << contest.code.toStdString() << " / " << contest.name.toStdString() << " / "
             << contest.enceste.toString().toStdString() << " / "
             << contest.suelta.toString().toStdString();
}

class ContestRegisterTest : public testing::ShellTest {
 protected:
  void SetUp() override {
    startUp();
    byCode(true);
  }

  static void byCode(bool code) {
    rsConfig.edit();
    rsConfig.setValue("confcocon", code);
    ASSERT_TRUE(rsConfig.update());
  }

  static void addContest(const QString& code, const QString& name, const QDate& enceste,
                         const QDate& suelta) {
    ASSERT_TRUE(rsConcurso.open(kPalConnection, "select * from concurso"));
    rsConcurso.addNew();
    rsConcurso.setValue("cocodigo", code);
    rsConcurso.setValue("conombre", name);
    rsConcurso.setValue("coenceste", enceste);
    rsConcurso.setValue("cofecha", suelta);
    ASSERT_TRUE(rsConcurso.update()) << rsConcurso.lastError().toStdString();
  }

  // The three contests of most cases: by code A, B, C; by release date C, B, A.
  static void addThree() {
    addContest("B", "SEGUNDA", QDate(2009, 5, 14), QDate(2009, 5, 16));
    addContest("A", "PRIMERA", QDate(2009, 5, 30), QDate(2009, 6, 1));
    addContest("C", "TERCERA", QDate(2009, 3, 30), QDate(2009, 4, 1));
  }

  static std::vector<StoredContest> stored() {
    RecordSet contests;
    EXPECT_TRUE(contests.open(kPalConnection, "select * from concurso order by cocodigo"));
    std::vector<StoredContest> all;
    for (contests.moveFirst(); !contests.eof(); contests.moveNext()) {
      all.push_back({contests.value("cocodigo").toString(), contests.value("conombre").toString(),
                     contests.value("coenceste"), contests.value("cofecha")});
    }
    return all;
  }

  void fillPanel(Concurso1& screen, const QString& code, const QString& name,
                 const QString& enceste, const QString& suelta) {
    screen.Text6->setText(code);
    screen.Text5->setText(name);
    screen.Text18->setText(enceste);
    screen.Text20->setText(suelta);
  }

  // A search as the user makes it: "Buscar", the pattern typed over the box's start, "&Aceptar".
  static void search(Concurso1& screen, const QString& pattern) {
    screen.so9->trigger();
    screen.Text1->setText(pattern);
    screen.Command1->click();
  }
};

TEST_F(ContestRegisterTest, ListsByCodeOrByReleaseDate) {
  addThree();
  addContest("d", "sin fechas", QDate(), QDate());
  {
    Concurso1 screen;
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("Mantenimiento de Concursos , Año: ") +
                                        QString::number(QDate::currentDate().year()));
    EXPECT_TRUE(screen.Option1->isChecked());
    EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"A", "B", "C", "D"}));
    const QTreeWidgetItem* b = screen.ListView1->topLevelItem(1);
    EXPECT_EQ(QStringList({b->text(1), b->text(2), b->text(3)}),
              QStringList({"SEGUNDA", "14/05/09", "16/05/09"}));
    EXPECT_EQ(screen.ListView1->topLevelItem(3)->text(1), "SIN FECHAS");
    EXPECT_EQ(screen.ListView1->topLevelItem(3)->text(2), "");
    EXPECT_EQ(selectedText(screen.ListView1), "A");

    moveFocusIn(screen.Option2);
    EXPECT_TRUE(screen.Option2->isChecked());
    // A contest without a release date comes first in that order.
    EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"D", "C", "B", "A"}));
    moveFocusIn(screen.Option1);
    EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"A", "B", "C", "D"}));
  }
  byCode(false);
  Concurso1 screen;
  EXPECT_TRUE(screen.Option2->isChecked());
  EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"D", "C", "B", "A"}));
}

TEST_F(ContestRegisterTest, AddsATrimmedContestAndChangesOnlyTheOneSelected) {
  addThree();
  Concurso1 screen;
  showActive(&screen);
  screen.so3->trigger();
  EXPECT_FALSE(modoEdicion);
  ASSERT_TRUE(screen.Frame6->isVisible());
  EXPECT_EQ(screen.Text18->displayText(), "__/__/____");
  fillPanel(screen, " ab ", "nueva suelta", "14/05/2009", "");
  screen.Command7->click();
  EXPECT_FALSE(screen.Frame6->isVisible());
  EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"A", "AB", "B", "C"}));
  ASSERT_EQ(stored().size(), 4u);
  EXPECT_EQ(stored()[1], (StoredContest{"ab", "NUEVA SUELTA", QDate(2009, 5, 14), QVariant()}));

  // B is neither first nor last: the change must reach B and only B.
  const std::vector<StoredContest> before = stored();
  selectByText(screen.ListView1, "B");
  screen.so7->trigger();
  EXPECT_TRUE(modoEdicion);
  EXPECT_EQ(screen.Text6->text(), "B");
  EXPECT_EQ(screen.Text5->text(), "SEGUNDA");
  EXPECT_EQ(screen.Text18->displayText(), "14/05/2009");
  EXPECT_EQ(screen.Text20->displayText(), "16/05/2009");
  fillPanel(screen, "B2", "cambiada", "15/05/2009", "17/05/2009");
  screen.Command7->click();
  std::vector<StoredContest> expected = before;
  expected[2] = {"B2", "CAMBIADA", QDate(2009, 5, 15), QDate(2009, 5, 17)};
  EXPECT_EQ(stored(), expected);
  EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"A", "AB", "B2", "C"}));
  EXPECT_TRUE(messages.empty());

  // "Cancelar" stores nothing.
  selectByText(screen.ListView1, "C");
  screen.so7->trigger();
  screen.Text5->setText("NO");
  screen.Command8->click();
  EXPECT_EQ(stored(), expected);
}

TEST_F(ContestRegisterTest, AChangeAnotherProgramGotInFirstKeepsWhatIsOnTheScreen) {
  addThree();
  Concurso1 screen;
  showActive(&screen);
  selectByText(screen.ListView1, "B");
  screen.so7->trigger();
  {
    // Another PC moves B's dates meanwhile.
    RecordSet other;
    ASSERT_TRUE(other.open(kPalConnection, "select * from concurso"));
    other.findFirst({"cocodigo", Criterion::Test::Equals, "B"});
    other.edit();
    other.setValue("coenceste", QDate(2010, 1, 1));
    other.setValue("cofecha", QDate(2010, 1, 2));
    ASSERT_TRUE(other.update());
  }
  screen.Text5->setText("cambiada");
  screen.Command7->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.endsWith(
      "Lo escrito sigue en pantalla: «Aceptar» lo graba sobre lo que hay ahora, «Cancelar» lo "
      "deja."))
      << messages[0].text.toStdString();
  EXPECT_EQ(stored()[1], (StoredContest{"B", "SEGUNDA", QDate(2010, 1, 1), QDate(2010, 1, 2)}));
  ASSERT_FALSE(screen.Frame6->isHidden());
  EXPECT_EQ(screen.Text18->displayText(), "14/05/2009");

  // Aceptar again stores what the screen shows, dates left untouched included.
  screen.Command7->click();
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(screen.Frame6->isHidden());
  EXPECT_EQ(stored()[1], (StoredContest{"B", "CAMBIADA", QDate(2009, 5, 14), QDate(2009, 5, 16)}));
}

TEST_F(ContestRegisterTest, RefusesAPanelThatCouldNotBeReadBack) {
  addThree();
  struct Case {
    const char* code;
    const char* enceste;
    const char* message;
  } cases[] = {
      {"  ", "14/05/2009", "Escriba el código del concurso."},
      {" b ", "14/05/2009", "Ya existe un concurso con el código b."},
      {"E", "14/05/20",
       "La fecha de enceste 14/05/20__ no es una fecha válida; escríbala como "
       "dd/mm/aaaa o déjela vacía."},
      {"E", "31/02/2009",
       "La fecha de enceste 31/02/2009 no es una fecha válida; escríbala "
       "como dd/mm/aaaa o déjela vacía."},
  };
  Concurso1 screen;
  const std::vector<StoredContest> before = stored();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    messages.clear();
    screen.so3->trigger();
    fillPanel(screen, c.code, "X", c.enceste, "");
    screen.Command7->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, c.message);
    EXPECT_TRUE(screen.Frame6->isVisibleTo(&screen));  // what was typed stays to be mended
    EXPECT_EQ(stored(), before);
  }
  // Changing a contest may keep its own code.
  selectByText(screen.ListView1, "B");
  screen.so7->trigger();
  screen.Text6->setText("b");
  messages.clear();
  screen.Command7->click();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(stored()[1].code, "b");
}

TEST_F(ContestRegisterTest, DeletesTheSelectedContestOnlyWhenTheAnswerIsYes) {
  addThree();
  frmMain main;
  Concurso1 screen;
  selectByText(screen.ListView1, "B");
  answerYes = false;
  screen.so5->trigger();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, MessageKind::Question);
  EXPECT_EQ(messages[0].text, "¿Desea Borrar el Concurso?");
  EXPECT_EQ(messages[0].title, "Atención");
  EXPECT_EQ(stored().size(), 3u);
  EXPECT_EQ(selectedText(screen.ListView1), "B");

  answerYes = true;
  screen.so5->trigger();
  EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"A", "C"}));
  ASSERT_EQ(stored().size(), 2u);
  EXPECT_EQ(stored()[1].code, "C");

  screen.so5->trigger();
  screen.so5->trigger();
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 0);
  EXPECT_TRUE(stored().empty());
  // On the empty register only adding and leaving are left, once the screen is active again.
  messages.clear();
  screen.so5->trigger();
  EXPECT_TRUE(messages.empty());
  testing::activate(&screen);
  EXPECT_EQ(main.texto->text(), "Mantenimiento de Concursos");
  EXPECT_TRUE(screen.so3->isEnabled());
  EXPECT_TRUE(screen.so18->isEnabled());
  for (const QAction* button : {screen.so5, screen.so7, screen.so9})
    EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
}

TEST_F(ContestRegisterTest, FindsACodeAsAWholeAndKeepsThePanelOpenWhenNothingIsFound) {
  addContest("ABC", "X", QDate(2009, 5, 1), QDate(2009, 5, 2));
  addContest("AB", "Y", QDate(2009, 5, 3), QDate(2009, 5, 4));
  addContest("00001", "Z", QDate(2009, 5, 5), QDate(2009, 5, 6));
  Concurso1 screen;
  showActive(&screen);

  screen.so9->trigger();
  EXPECT_EQ(screen.Frame1->title(), "Patron de Busqueda por Codigo");
  EXPECT_EQ(screen.Text1->text(), "00000");
  EXPECT_FALSE(screen.Frame3->isVisible());
  for (const QAction* button : {screen.so3, screen.so5, screen.so7, screen.so9, screen.so18})
    EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
  screen.Command1->click();  // 00000 left as it was: no contest has that code
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "No se ha encontrado");
  EXPECT_TRUE(screen.Frame1->isVisible());
  EXPECT_EQ(selectedText(screen.ListView1), "00001");

  // A code is found as a whole, never by its beginning.
  screen.Text1->setText("a");
  screen.Command1->click();
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(selectedText(screen.ListView1), "00001");
  screen.Text1->setText(" ab ");
  screen.Command1->click();
  EXPECT_EQ(selectedText(screen.ListView1), "AB");
  EXPECT_EQ(wbusca, "ab");
  EXPECT_FALSE(screen.Frame1->isVisible());
  EXPECT_TRUE(screen.Frame3->isVisible());
  EXPECT_TRUE(screen.so9->isEnabled());
}

TEST_F(ContestRegisterTest, FindsADateTypedInAnyOfItsFourForms) {
  addThree();
  byCode(false);
  Concurso1 screen;
  showActive(&screen);
  screen.so9->trigger();
  EXPECT_EQ(screen.Frame1->title(), "Patron de Busqueda por Fecha");
  EXPECT_EQ(screen.Text1->text(), "  /  /    ");
  screen.Command2->click();

  for (const char* typed : {"14/05/2009", "14/05/09", "14052009", "140509"}) {
    SCOPED_TRACE(typed);
    selectByText(screen.ListView1, "A");
    search(screen, typed);
    EXPECT_EQ(wbusca, "14/05/09");
    EXPECT_EQ(selectedText(screen.ListView1), "B");  // its basketing day
  }
  // Another form looks for the previous date again.
  selectByText(screen.ListView1, "A");
  search(screen, "14.5.09");
  EXPECT_EQ(selectedText(screen.ListView1), "B");
  search(screen, "01/04/2009");
  EXPECT_EQ(selectedText(screen.ListView1), "C");  // its release day
  EXPECT_TRUE(messages.empty());
}

TEST_F(ContestRegisterTest, AnApostropheIsAnOrdinaryCharacter) {
  addThree();
  Concurso1 screen;
  screen.so3->trigger();
  fillPanel(screen, "O'B", "l'aigle", "", "");
  screen.Command7->click();
  EXPECT_EQ(stored()[3], (StoredContest{"O'B", "L'AIGLE", QVariant(), QVariant()}));
  search(screen, "o'b");
  EXPECT_EQ(selectedText(screen.ListView1), "O'B");
  screen.so7->trigger();
  screen.Text5->setText("d'arc");
  screen.Command7->click();
  EXPECT_EQ(stored()[3].name, "D'ARC");
  selectByText(screen.ListView1, "O'B");
  screen.so5->trigger();
  EXPECT_EQ(stored().size(), 3u);
  EXPECT_EQ(messages.size(), 1u);  // the question only
}

TEST_F(ContestRegisterTest, UpAndDownRememberTheCodeMovedTo) {
  addThree();
  Concurso1 screen;
  showActive(&screen);
  screen.ListView1->setFocus();
  const struct {
    Qt::Key key;
    const char* code;
  } steps[] = {{Qt::Key_Up, "A"},
               {Qt::Key_Down, "B"},
               {Qt::Key_Down, "C"},
               {Qt::Key_Down, "C"},
               {Qt::Key_Up, "B"}};
  for (const auto& step : steps) {
    QTest::keyClick(screen.ListView1, step.key);
    EXPECT_EQ(wactual, step.code);
    EXPECT_EQ(screen.ListView1->currentItem()->text(0), step.code);
  }
}

TEST_F(ContestRegisterTest, ChangesTheSelectedOfTwoLookAlikeCodesAndKeepsDatesStoredAsText) {
  addContest("ab", "MINUSCULAS", QDate(2009, 5, 14), QDate(2009, 5, 16));
  {
    QSqlQuery query(QSqlDatabase::database(kPalConnection));
    ASSERT_TRUE(
        query.exec("insert into concurso (cocodigo, conombre, cofecha, coenceste) "
                   "values ('AB', 'ANTIGUO', '16/05/2009', '__/__/____')"));
  }
  Concurso1 screen;
  showActive(&screen);
  ASSERT_EQ(columnTexts(screen.ListView1, 0), QStringList({"AB", "AB"}));
  EXPECT_EQ(columnTexts(screen.ListView1, 3), QStringList({"16/05/09", "16/05/09"}));
  EXPECT_EQ(columnTexts(screen.ListView1, 2), QStringList({"__/__/____", "14/05/09"}));
  selectRow(screen.ListView1, screen.ListView1->topLevelItem(0));
  screen.so7->trigger();
  EXPECT_EQ(screen.Text20->text(), "16/05/2009");
  screen.Text5->setText("cambiado");
  screen.Command7->click();
  EXPECT_TRUE(messages.empty());
  QSqlQuery query(QSqlDatabase::database(kPalConnection));
  ASSERT_TRUE(
      query.exec("select cocodigo, conombre, cofecha, coenceste from concurso order by id"));
  QStringList rows;
  while (query.next())
    rows << QStringList{query.value(0).toString(), query.value(1).toString(),
                        query.value(2).toString(), query.value(3).toString()}
                .join('|');
  EXPECT_EQ(rows, QStringList({"ab|MINUSCULAS|2009-05-16|2009-05-14",
                               "AB|CAMBIADO|16/05/2009|__/__/____"}));
  EXPECT_EQ(selectedRow(screen.ListView1)->text(1), "CAMBIADO");

  selectRow(screen.ListView1, screen.ListView1->topLevelItem(0));
  screen.so5->trigger();
  EXPECT_EQ(columnTexts(screen.ListView1, 1), QStringList({"MINUSCULAS"}));
}

class ContestBrowserTest : public ContestRegisterTest {
 protected:
  // F1 in the reading screen's contest box, with the browser answered by step.
  void helpFromTheContestBox(DatosConcur& reading, std::function<void(AConcurso1&)> step) {
    whenModalOpens([step](QWidget* modal) {
      auto* browser = qobject_cast<AConcurso1*>(modal);
      ASSERT_NE(browser, nullptr);
      step(*browser);
    });
    QTest::keyClick(reading.Text1, Qt::Key_F1);
  }
};

TEST_F(ContestBrowserTest, EnterOrADoubleClickPicksTheContestForTheReadingScreen) {
  addThree();
  addContest("AB", "DE LA PRUEBA", QDate(2009, 7, 1), QDate(2009, 7, 3));
  DatosConcur reading;
  showActive(&reading);
  helpFromTheContestBox(reading, [](AConcurso1& browser) {
    EXPECT_EQ(browser.windowTitle(), "Ayuda de Concursos");
    EXPECT_EQ(columnTexts(browser.ListView1, 0), QStringList({"A", "AB", "B", "C"}));
    EXPECT_TRUE(browser.ListView1->selectedItems().isEmpty());
    selectByText(browser.ListView1, "AB");
    QTest::keyClick(browser.ListView1, Qt::Key_Return);
  });
  EXPECT_EQ(formllama, "DatosConcur");
  EXPECT_EQ(reading.Text1->text(), "AB");
  moveFocusOut(reading.Text1);
  EXPECT_EQ(reading.Text2->text(), "DE LA PRUEBA");

  helpFromTheContestBox(reading, [](AConcurso1& browser) {
    QTreeWidgetItem* c = browser.ListView1->findItems("C", Qt::MatchExactly).front();
    selectByText(browser.ListView1, "C");
    emit browser.ListView1->itemDoubleClicked(c, 0);
  });
  EXPECT_EQ(reading.Text1->text(), "C");

  // Escape leaves the box as it was.
  helpFromTheContestBox(reading, [](AConcurso1& browser) {
    selectByText(browser.ListView1, "A");
    QTest::keyClick(browser.ListView1, Qt::Key_Escape);
  });
  EXPECT_EQ(reading.Text1->text(), "C");
}

TEST_F(ContestBrowserTest, OpensWithEveryButtonAndColumnInSight) {
  addThree();
  AConcurso1 browser;
  showActive(&browser);
  EXPECT_EQ(testing::hiddenParts(browser.Toolbar1, browser.ListView1), QStringList());
}

TEST_F(ContestBrowserTest, PicksNothingForAnotherScreen) {
  addThree();
  formllama = "Otra";
  AConcurso1 browser;
  showActive(&browser);
  selectByText(browser.ListView1, "B");
  QTest::keyClick(browser.ListView1, Qt::Key_Return);
  emit browser.ListView1->itemDoubleClicked(browser.ListView1->currentItem(), 0);
  EXPECT_TRUE(browser.isVisible());
}

TEST_F(ContestBrowserTest, SearchesOrdersAndShowsTheKeysWhileCtrlIsHeld) {
  addThree();
  AConcurso1 browser;
  showActive(&browser);
  for (const char* key : {"so1", "so3", "so5", "so7", "so12", "so14", "so16", "so20"}) {
    const auto* button = browser.Toolbar1->findChild<QAction*>(key);
    ASSERT_NE(button, nullptr) << key;
    EXPECT_FALSE(button->isEnabled()) << key;
  }
  EXPECT_FALSE(browser.Frame2->isVisible());
  QTest::keyPress(browser.ListView1, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_TRUE(browser.Frame2->isVisible());
  QTest::keyRelease(browser.ListView1, Qt::Key_Control);
  EXPECT_FALSE(browser.Frame2->isVisible());

  QTest::keyClick(browser.ListView1, Qt::Key_5, Qt::ControlModifier);
  ASSERT_TRUE(browser.Frame1->isVisible());
  EXPECT_EQ(browser.Text1->text(), "     ");
  browser.Text1->setText("c");
  QTest::keyClick(browser.Text1, Qt::Key_Return);
  EXPECT_EQ(selectedText(browser.ListView1), "C");
  EXPECT_FALSE(browser.Frame1->isVisible());

  moveFocusIn(browser.Option2);
  EXPECT_EQ(columnTexts(browser.ListView1, 0), QStringList({"C", "B", "A"}));

  QTest::keyClick(browser.ListView1, Qt::Key_9, Qt::ControlModifier);
  EXPECT_FALSE(browser.isVisible());
}

}  // namespace
}  // namespace kvt
