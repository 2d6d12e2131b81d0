// The main window: its menu, toolbar and status bar, and leaving the program.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

#include "frm_main.h"
#include "frm_options.h"
#include "shell_fixture.h"

namespace kvt {
namespace {

class MainWindowTest : public testing::ShellTest {
 protected:
  void SetUp() override {
    // Qt finds the per-user settings folder once per process; each test starts without geometry.
    QSettings("QuorKVT", "QuorKVT").clear();
    ASSERT_TRUE(window.load(programFolder()).isEmpty());
    window.show();
  }

  static bool geometrySaved() {
    QSettings settings("QuorKVT", "QuorKVT");
    return settings.contains("Settings/MainLeft");
  }

  QWidget* openOptions() {
    window.Opciones->trigger();
    return window.findChild<frmOptions*>();
  }

  frmMain window;
};

TEST_F(MainWindowTest, OffersItsScreensInMenuAndToolbar) {
  QStringList menu;
  for (QAction* entry : window.menuBar()->actions()) menu << entry->text();
  EXPECT_EQ(menu, QStringList({"&1 Mantenimiento", "&2 Archivos", "&4 Configuracion", "&5 Salir"}));
  QStringList buttons;
  for (QAction* button : window.Toolbar1->actions()) buttons << button->objectName();
  EXPECT_EQ(buttons, QStringList({"boton1", "boton2", "boton3", "boton6", "boton5"}));
  EXPECT_EQ(window.boton3->toolTip(), "Enceste/Comprobacion");
  // The shell alone offers no register and no reading screen: the program enables them.
  for (QAction* later : {window.Socio, window.concurso, window.Reloj, window.Palo, window.boton1,
                         window.boton2, window.boton3, window.boton6}) {
    EXPECT_FALSE(later->isEnabled()) << later->objectName().toStdString();
  }
  QApplication::setActiveWindow(&window);
  QApplication::processEvents();
  EXPECT_EQ(window.texto->text(), "Programa para la Lectura de los Relojes Quor");
}

TEST_F(MainWindowTest, AnsweringNoKeepsEveryWindowOpen) {
  QWidget* options = openOptions();
  ASSERT_NE(options, nullptr);
  answerYes = false;
  window.boton5->trigger();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, MessageKind::Question);
  EXPECT_EQ(messages[0].text, "Deseas Salir de la Aplicación");
  EXPECT_EQ(messages[0].title, "Aviso");
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(options->isVisible());
  EXPECT_FALSE(geometrySaved());
}

TEST_F(MainWindowTest, LeavingClosesEveryWindowAndTheLinkAndSavesTheGeometry) {
  ASSERT_NE(openOptions(), nullptr);
  window.Salir->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.findChild<frmOptions*>(), nullptr);  // closed and gone
  ASSERT_EQ(messages.size(), 1u);                       // the question; the link calls say nothing
  QSettings settings("QuorKVT", "QuorKVT");
  const QRect outer = window.frameGeometry();
  EXPECT_EQ(settings.value("Settings/MainLeft").toString(), QString::number(outer.left()));
  EXPECT_EQ(settings.value("Settings/MainTop").toString(), QString::number(outer.top()));
  EXPECT_EQ(settings.value("Settings/MainWidth").toString(), QString::number(outer.width()));
  EXPECT_EQ(settings.value("Settings/MainHeight").toString(), QString::number(outer.height()));
}

TEST_F(MainWindowTest, LeavingMinimisedSavesNoGeometry) {
  window.showMinimized();
  window.Salir->trigger();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(geometrySaved());
}

}  // namespace
}  // namespace kvt
