// The member register and the member browser, driving their real widgets.
#include <QAction>
#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <vector>

#include "app_state.h"
#include "asocio1.h"
#include "databases.h"
#include "datos_concur.h"
#include "frm_main.h"
#include "member_register.h"
#include "record_set.h"
#include "register_parts.h"
#include "shell_fixture.h"
#include "socio1.h"
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

struct StoredMember {
  QString licence;
  QVariant name;
  QVariant clock;
  bool operator==(const StoredMember&) const = default;
};

std::ostream& operator<<(std::ostream& out, const StoredMember& member) {
  return out << "[" << member.licence.toStdString() << "] " << member.name.toString().toStdString()
             << " / " << member.clock.toString().toStdString();
}

class MemberRegisterTest : public testing::ShellTest {
 protected:
  void SetUp() override {
    startUp();
    byLicence(true);
  }

  static void byLicence(bool licence) {
    rsConfig.edit();
    rsConfig.setValue("confcosoc", licence);
    ASSERT_TRUE(rsConfig.update());
  }

  static void addMember(const QString& licence, const QVariant& name, const QVariant& clock) {
    RecordSet members;
    ASSERT_TRUE(members.open(kPalConnection, "select * from socios"));
    members.addNew();
    members.setValue("slicencia", licence);
    members.setValue("snombre", name);
    members.setValue("slicenreloj", clock);
    ASSERT_TRUE(members.update()) << members.lastError().toStdString();
  }

  // Licence order 9, 10, 100; name order ALONSO, BENITEZ, GARCIA.
  static void addThree() {
    addMember("10", "garcia lopez juan", "A1");
    addMember("9", "ALONSO PEREZ", QVariant());
    addMember("100", "BENITEZ RUIZ", "");
  }

  static std::vector<StoredMember> stored() {
    RecordSet members;
    EXPECT_TRUE(members.open(kPalConnection, "select * from socios order by val(slicencia)"));
    std::vector<StoredMember> all;
    for (members.moveFirst(); !members.eof(); members.moveNext()) {
      all.push_back({members.value("slicencia").toString(), members.value("snombre"),
                     members.value("slicenreloj")});
    }
    return all;
  }

  // "Grabar uno nuevo" up to the member panel, with the licence typed into the first step.
  static void startAdding(Socio1& screen, const QString& licence) {
    screen.soc3->trigger();
    screen.Text2->setText(licence);
    screen.Command3->click();
  }

  static void fillMember(Socio1& screen, const QString& licence, const QString& name,
                         const QString& clock) {
    screen.Text7->setText(licence);
    screen.Text5->setText(name);
    screen.Text6->setText(clock);
  }

  static void search(Socio1& screen, const QString& pattern) {
    screen.soc9->trigger();
    screen.Text1->setText(pattern);
    screen.Command1->click();
  }

  static void expectToolbar(const Socio1& screen, bool withMembers) {
    EXPECT_TRUE(screen.soc3->isEnabled());
    EXPECT_TRUE(screen.soc17->isEnabled());
    for (const QAction* button :
         {screen.soc5, screen.soc7, screen.soc9, screen.soc11, screen.soc19}) {
      EXPECT_EQ(button->isEnabled(), withMembers) << button->objectName().toStdString();
    }
  }
};

TEST_F(MemberRegisterTest, ListsByTheLicenceAsANumberOrByName) {
  addThree();
  {
    Socio1 screen;
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("Mantenimiento de Socios Año : ") +
                                        QString::number(QDate::currentDate().year()));
    EXPECT_TRUE(screen.Option1->isChecked());
    EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"9", "10", "100"}));
    EXPECT_EQ(columnTexts(screen.ListView1, 1),
              QStringList({"ALONSO PEREZ", "GARCIA LOPEZ JUAN", "BENITEZ RUIZ"}));
    EXPECT_EQ(columnTexts(screen.ListView1, 2), QStringList({" ", "A1", " "}));
    EXPECT_EQ(selectedText(screen.ListView1), "9");
    expectToolbar(screen, true);

    moveFocusIn(screen.Option2);
    EXPECT_TRUE(screen.Option2->isChecked());
    EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"9", "100", "10"}));
    EXPECT_EQ(columnTexts(screen.ListView1, 2), QStringList({" ", " ", "A1"}));
  }
  byLicence(false);
  Socio1 screen;
  EXPECT_TRUE(screen.Option2->isChecked());
  EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"9", "100", "10"}));
}

TEST_F(MemberRegisterTest, AnEmptyRegisterOffersOnlyAddingAndLeaving) {
  Socio1 screen;
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 0);
  expectToolbar(screen, false);
  for (int digit : {1, 3, 4, 5}) {
    QTest::keyClick(screen.ListView1, Qt::Key(Qt::Key_0 + digit), Qt::ControlModifier);
    EXPECT_FALSE(screen.Frame1->isVisibleTo(&screen)) << digit;
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(MemberRegisterTest, AddsAMemberInTwoSteps) {
  addThree();
  frmMain main;
  Socio1 screen;
  showActive(&screen);
  screen.Text2->setText("left over");
  screen.soc3->trigger();
  ASSERT_TRUE(screen.Frame4->isVisible());
  EXPECT_EQ(screen.Text2->text(), "");
  EXPECT_EQ(main.texto->text(), "Escribir la licencia del Socio  ");
  for (const QAction* button :
       {screen.soc3, screen.soc5, screen.soc7, screen.soc9, screen.soc11, screen.soc17}) {
    EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
  }
  screen.Text2->setText("123");
  screen.Command3->click();
  EXPECT_FALSE(screen.Frame4->isVisible());
  ASSERT_TRUE(screen.Frame6->isVisible());
  EXPECT_EQ(screen.Text7->text(), "123");
  screen.Text5->setText("perez gil");
  screen.Text6->setText("b7");
  screen.Command7->click();
  EXPECT_FALSE(screen.Frame6->isVisible());
  EXPECT_EQ(stored()[3], (StoredMember{"123", "PEREZ GIL", "B7"}));
  EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"9", "10", "100", "123"}));
  expectToolbar(screen, true);
  // The reading screens see the new member at once.
  EXPECT_TRUE(MemberRegister().findLicence("123").has_value());

  // A new member starts with empty boxes.
  startAdding(screen, "124");
  EXPECT_EQ(screen.Text5->text(), "");
  EXPECT_EQ(screen.Text6->text(), "");
  screen.Command7->click();
  EXPECT_EQ(stored()[4], (StoredMember{"124", "", ""}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(MemberRegisterTest, RefusesALicenceThatAnotherMemberHas) {
  addThree();
  addMember("123 ", "CON BLANCO", QVariant());
  Socio1 screen;
  showActive(&screen);
  const std::vector<StoredMember> before = stored();

  // Adding: when the licence box is left with Tab, and on a click on "&Aceptar", once each.
  screen.soc3->trigger();
  screen.Text2->setText("123");
  moveFocusOut(screen.Text2);
  screen.Text2->setFocus();
  screen.Text2->setText("123");
  QTest::mouseClick(screen.Command3, Qt::LeftButton);
  ASSERT_EQ(messages.size(), 2u);
  for (const Message& message : messages) {
    EXPECT_EQ(message.text, "Licencia Existente ");
    EXPECT_EQ(message.title, "Aviso");
  }
  EXPECT_FALSE(screen.Frame6->isVisible());
  screen.Text2->setFocus();
  QTest::mouseClick(screen.Command4, Qt::LeftButton);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_FALSE(screen.Frame4->isVisible());

  // Changing: another member's licence is refused, his own is kept.
  const struct {
    const char* licence;
    const char* message;
  } changes[] = {{"10", "Licencia Existente "},
                 {" 123", "Licencia Existente "},
                 {"", "Escriba la licencia del socio."}};
  for (const auto& change : changes) {
    SCOPED_TRACE(change.licence);
    messages.clear();
    selectByText(screen.ListView1, "9");
    screen.soc7->trigger();
    screen.Text7->setText(change.licence);
    screen.Command7->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, change.message);
    EXPECT_EQ(stored(), before);
    screen.Command8->click();
  }
  messages.clear();
  selectByText(screen.ListView1, "9");
  screen.soc7->trigger();
  screen.Text5->setText("alonso perez luis");
  screen.Command7->click();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(stored()[0], (StoredMember{"9", "ALONSO PEREZ LUIS", ""}));
}

TEST_F(MemberRegisterTest, ChangesOnlyTheSelectedMember) {
  addThree();
  Socio1 screen;
  showActive(&screen);
  std::vector<StoredMember> expected = stored();
  selectByText(screen.ListView1, "10");
  screen.soc7->trigger();
  ASSERT_TRUE(screen.Frame6->isVisible());
  EXPECT_EQ(screen.Text7->text(), "10");
  EXPECT_EQ(screen.Text5->text(), "GARCIA LOPEZ JUAN");
  EXPECT_EQ(screen.Text6->text(), "A1");
  fillMember(screen, "11", "garcia lopez juana", "a2");
  screen.Command7->click();
  expected[1] = {"11", "GARCIA LOPEZ JUANA", "A2"};
  EXPECT_EQ(stored(), expected);
  EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"9", "11", "100"}));

  // Ctrl+1 and Ctrl+4 take the licence without opening a panel; with no row they do nothing.
  screen.Frame6->hide();
  screen.ListView1->clearSelection();
  QTest::keyClick(screen.ListView1, Qt::Key_1, Qt::ControlModifier);
  screen.soc7->trigger();
  EXPECT_FALSE(screen.Frame6->isVisible());
}

TEST_F(MemberRegisterTest, DeletesOneOrAllOnlyWhenTheAnswerIsYes) {
  addThree();
  Socio1 screen;
  selectByText(screen.ListView1, "10");
  const struct {
    QAction* button;
    const char* question;
  } deletions[] = {{screen.soc5, "¿Desea Borrar el Socio?"},
                   {screen.soc19, "¿Desea Borrar todos los Socios?"}};
  answerYes = false;
  for (const auto& deletion : deletions) {
    messages.clear();
    deletion.button->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Question);
    EXPECT_EQ(messages[0].text, deletion.question);
    EXPECT_EQ(messages[0].title, "Atención");
    EXPECT_EQ(stored().size(), 3u);
  }
  EXPECT_EQ(selectedText(screen.ListView1), "10");

  answerYes = true;
  screen.soc5->trigger();
  EXPECT_EQ(columnTexts(screen.ListView1, 0), QStringList({"9", "100"}));
  EXPECT_EQ(stored().size(), 2u);
  EXPECT_EQ(stored()[1].licence, "100");

  screen.soc19->trigger();
  EXPECT_TRUE(stored().empty());
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 0);
  EXPECT_EQ(rsSocios.recordCount(), 0);
  expectToolbar(screen, false);
}

TEST_F(MemberRegisterTest, FindsALicenceAsAWordOrANameByItsBeginning) {
  addThree();
  addMember("7", "GARCIA ALBA", QVariant());
  Socio1 screen;
  showActive(&screen);
  screen.soc9->trigger();
  EXPECT_EQ(screen.Frame1->title(), "Patron de Busqueda por Codigo");
  EXPECT_EQ(screen.Text1->text(), QString(5, ' '));
  screen.Command2->click();

  selectByText(screen.ListView1, "9");
  search(screen, "1");  // 10 and 100 begin with it, but not as a whole word
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "No se ha encontrado");
  EXPECT_TRUE(screen.Frame1->isVisible());
  EXPECT_EQ(selectedText(screen.ListView1), "9");
  screen.Text1->setText("10");
  screen.Command1->click();
  EXPECT_EQ(selectedText(screen.ListView1), "10");
  EXPECT_FALSE(screen.Frame1->isVisible());
  expectToolbar(screen, true);

  moveFocusIn(screen.Option2);
  screen.soc9->trigger();
  EXPECT_EQ(screen.Frame1->title(), "Patron de Busqueda por Nombre");
  EXPECT_EQ(screen.Text1->text(), QString(50, ' '));
  screen.Text1->setText(" ga ");
  screen.Command1->click();
  EXPECT_EQ(wbusca, "ga*");
  EXPECT_EQ(selectedText(screen.ListView1), "7");  // GARCIA ALBA before GARCIA LOPEZ
  search(screen, "garcia l");
  EXPECT_EQ(selectedText(screen.ListView1), "10");
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MemberRegisterTest, AnApostropheIsAnOrdinaryCharacter) {
  addThree();
  Socio1 screen;
  showActive(&screen);
  startAdding(screen, "1'2");
  fillMember(screen, "1'2", "o'neill", "x'1");
  screen.Command7->click();
  ASSERT_EQ(stored().size(), 4u);
  EXPECT_EQ(stored()[0], (StoredMember{"1'2", "O'NEILL", "X'1"}));  // val("1'2") is 1
  startAdding(screen, "1'2");
  EXPECT_EQ(messages.back().text, "Licencia Existente ");
  screen.Command4->click();

  moveFocusIn(screen.Option2);
  search(screen, "o'n");
  EXPECT_EQ(selectedText(screen.ListView1), "1'2");
  screen.soc7->trigger();
  screen.Text5->setText("o'neil");
  screen.Command7->click();
  EXPECT_EQ(stored()[0].name.toString(), "O'NEIL");
  selectByText(screen.ListView1, "1'2");
  screen.soc5->trigger();
  EXPECT_EQ(stored().size(), 3u);
}

TEST_F(MemberRegisterTest, ShowsTheKeysWhileCtrlIsHeld) {
  addThree();
  Socio1 screen;
  showActive(&screen);
  EXPECT_FALSE(screen.Frame2->isVisible());
  QTest::keyPress(screen.ListView1, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_TRUE(screen.Frame2->isVisible());
  QTest::keyRelease(screen.ListView1, Qt::Key_Control);
  EXPECT_FALSE(screen.Frame2->isVisible());
  QTest::keyClick(screen.ListView1, Qt::Key_2, Qt::ControlModifier);
  EXPECT_TRUE(screen.Frame4->isVisible());
  QTest::keyClick(screen.Text2, Qt::Key_Escape);
  EXPECT_FALSE(screen.Frame4->isVisible());
  EXPECT_TRUE(screen.isVisible());
  QTest::keyClick(screen.ListView1, Qt::Key_9, Qt::ControlModifier);
  EXPECT_FALSE(screen.isVisible());
}

TEST_F(MemberRegisterTest, ARefusedNewLicenceIsTypedAfreshAfterTabOrEnter) {
  addThree();
  Socio1 screen;
  showActive(&screen);
  for (Qt::Key leave : {Qt::Key_Tab, Qt::Key_Return}) {
    SCOPED_TRACE(leave);
    messages.clear();
    screen.soc3->trigger();
    QTest::keyClicks(screen.Text2, "10");
    QTest::keyClick(screen.Text2, leave);
    QApplication::processEvents();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Licencia Existente ");
    EXPECT_EQ(screen.Text2->text(), "");
    EXPECT_TRUE(screen.Text2->hasFocus());
    QTest::keyClicks(screen.Text2, "5A");
    screen.Command3->click();
    ASSERT_TRUE(screen.Frame6->isVisible());
    EXPECT_EQ(screen.Text7->text(), "5A");
    screen.Command8->click();
  }
}

TEST_F(MemberRegisterTest, ChangesAndDeletesTheSelectedOfTwoLookAlikeLicences) {
  addThree();
  addMember("77", "PRIMERO", "1");
  addMember(" 77", "SEGUNDO", "2");
  Socio1 screen;
  showActive(&screen);
  ASSERT_EQ(columnTexts(screen.ListView1, 0), QStringList({"9", "10", "77", "77", "100"}));
  const auto second = [&screen] { return screen.ListView1->topLevelItem(3); };
  selectRow(screen.ListView1, second());
  screen.soc7->trigger();
  screen.Text6->setText("5");
  screen.Command7->click();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(stored()[2], (StoredMember{"77", "PRIMERO", "1"}));
  EXPECT_EQ(stored()[3], (StoredMember{" 77", "SEGUNDO", "5"}));
  // The changed member is the one selected and shown.
  EXPECT_EQ(selectedRow(screen.ListView1), second());
  EXPECT_EQ(second()->text(2), "5");

  selectRow(screen.ListView1, second());
  screen.soc5->trigger();
  ASSERT_EQ(stored().size(), 4u);
  EXPECT_EQ(stored()[2], (StoredMember{"77", "PRIMERO", "1"}));

  // A new member is selected and shown too.
  startAdding(screen, "300");
  fillMember(screen, "300", "NUEVO", "");
  screen.Command7->click();
  EXPECT_EQ(selectedText(screen.ListView1), "300");
}

TEST_F(MemberRegisterTest, AChangeAnotherProgramGotInFirstIsToldAndWhatWasTypedIsKept) {
  const struct {
    const char* what;
    bool removes;  // else the other program changes member 10's name
    const char* refusal;
    std::vector<StoredMember> afterAceptar;  // once the user presses Aceptar again
  } cases[] = {
      {"removed",
       true,
       "El socio 10 ha sido borrado por otro programa; no se ha grabado nada. La lista se ha "
       "leído de nuevo. Lo escrito sigue en pantalla: «Aceptar» lo graba como uno nuevo, "
       "«Cancelar» lo deja.",
       {{"9", "ALONSO PEREZ", QVariant()},
        {"10", "GARCIA LOPEZ JUAN", "B9"},
        {"100", "BENITEZ RUIZ", ""}}},
      {"changed",
       false,
       "El socio 10 ha sido modificado por otro programa después de listarse; no se ha grabado "
       "nada. La lista se ha leído de nuevo. Lo escrito sigue en pantalla: «Aceptar» lo graba "
       "sobre lo que hay ahora, «Cancelar» lo deja.",
       {{"9", "ALONSO PEREZ", QVariant()},
        {"10", "GARCIA LOPEZ JUAN", "B9"},
        {"100", "BENITEZ RUIZ", ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    addThree();
    messages.clear();
    Socio1 screen;
    showActive(&screen);
    selectByText(screen.ListView1, "10");
    screen.soc7->trigger();
    {
      RecordSet other;
      ASSERT_TRUE(other.open(kPalConnection, "select * from socios"));
      other.findFirst({"slicencia", Criterion::Test::Equals, "10"});
      if (c.removes) {
        ASSERT_TRUE(other.remove());
      } else {
        other.edit();
        other.setValue("snombre", "CAMBIADO POR OTRO");
        ASSERT_TRUE(other.update());
      }
    }
    screen.Text6->setText("B9");
    screen.Command7->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, c.refusal);
    EXPECT_EQ(columnTexts(screen.ListView1, 0),
              c.removes ? QStringList({"9", "100"}) : QStringList({"9", "10", "100"}));
    EXPECT_EQ(stored().size(), c.removes ? 2u : 3u);
    EXPECT_FALSE(screen.Frame6->isHidden());
    EXPECT_EQ(screen.Text6->text(), "B9");

    screen.Command7->click();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(screen.Frame6->isHidden());
    EXPECT_EQ(stored(), c.afterAceptar);
    ASSERT_TRUE(MemberRegister().removeAll().done());
  }
}

class MemberBrowserTest : public MemberRegisterTest {
 protected:
  // F1 in the reading screen's licence box, with the browser answered by step.
  static void helpFromTheLicenceBox(DatosConcur& reading, std::function<void(ASocio1&)> step) {
    whenModalOpens([step](QWidget* modal) {
      auto* browser = qobject_cast<ASocio1*>(modal);
      ASSERT_NE(browser, nullptr);
      step(*browser);
    });
    QTest::keyClick(reading.Text3, Qt::Key_F1);
  }
};

TEST_F(MemberBrowserTest, EnterOrADoubleClickPicksTheMemberForTheReadingScreen) {
  addThree();
  ASSERT_TRUE(rsSocios.requery());
  DatosConcur reading;
  showActive(&reading);
  reading.Text3->setText("5");
  helpFromTheLicenceBox(reading, [](ASocio1& browser) {
    EXPECT_EQ(browser.windowTitle(), "Mantenimiento de Socios ");
    EXPECT_TRUE(browser.Frame2->isVisible());
    EXPECT_EQ(columnTexts(browser.ListView1, 2), QStringList({"", "A1", ""}));
    QTest::keyClick(browser.ListView1, Qt::Key_Escape);
  });
  EXPECT_EQ(reading.Text3->text(), "5");

  helpFromTheLicenceBox(reading, [](ASocio1& browser) {
    selectByText(browser.ListView1, "100");
    QTest::keyClick(browser.ListView1, Qt::Key_Return);
  });
  EXPECT_EQ(formllama, "DatosConcur");
  EXPECT_EQ(reading.Text3->text(), "100");

  helpFromTheLicenceBox(reading, [](ASocio1& browser) {
    selectByText(browser.ListView1, "10");
    emit browser.ListView1->itemDoubleClicked(browser.ListView1->currentItem(), 0);
  });
  EXPECT_EQ(reading.Text3->text(), "10");
  moveFocusOut(reading.Text3);
  EXPECT_EQ(reading.Text4->text(), "garcia lopez juan");  // as stored
}

TEST_F(MemberBrowserTest, OpensWithEveryButtonAndColumnInSight) {
  addThree();
  ASocio1 browser;
  showActive(&browser);
  EXPECT_EQ(testing::hiddenParts(browser.Toolbar1, browser.ListView1), QStringList());
}

TEST_F(MemberBrowserTest, PicksNothingForAnotherScreenAndLeavesWithItsGreeting) {
  addThree();
  frmMain main;
  formllama = "Otra";
  ASocio1 browser;
  showActive(&browser);
  selectByText(browser.ListView1, "9");
  QTest::keyClick(browser.ListView1, Qt::Key_Return);
  emit browser.ListView1->itemDoubleClicked(browser.ListView1->currentItem(), 0);
  EXPECT_TRUE(browser.isVisible());

  QTest::keyClick(browser.ListView1, Qt::Key_5, Qt::ControlModifier);
  ASSERT_TRUE(browser.Frame1->isVisible());
  browser.Text1->setText("100");
  QTest::keyClick(browser.Text1, Qt::Key_Return);
  EXPECT_EQ(selectedText(browser.ListView1), "100");
  EXPECT_FALSE(browser.Frame1->isVisible());

  browser.soc17->trigger();
  EXPECT_EQ(main.texto->text(), "Federación Colombófila Norvela");
  EXPECT_FALSE(browser.isVisible());
}

}  // namespace
}  // namespace kvt
