// The main window's menu and toolbar open the program's registers and reading screens.
#include <QAction>
#include <QApplication>
#include <QMenu>

#include "frm_main.h"
#include "program.h"
#include "shell_fixture.h"
#include "widget_steps.h"

namespace kvt {
namespace {

class OfferedScreensTest : public testing::ShellTest {
 protected:
  void SetUp() override {
    startUp();
    offerScreens(main);
  }

  // The object name of the modal window the action opens; the window is closed again.
  static QString modalScreen(QAction* action) {
    QString name;
    testing::whenModalOpens([&name](QWidget* modal) {
      name = modal->objectName();
      modal->close();
    });
    action->trigger();
    return name;
  }

  static QString openScreen() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isVisible() && window->objectName() != QLatin1String("frmMain"))
        return window->objectName();
    }
    return {};
  }

  frmMain main;
};

TEST_F(OfferedScreensTest, TheRegistersOpenModallyFromTheMenuAndTheMemberRegisterAlsoBeside) {
  EXPECT_EQ(modalScreen(main.Socio), "Socio1");
  EXPECT_EQ(modalScreen(main.concurso), "Concurso1");
  EXPECT_EQ(modalScreen(main.boton2), "Concurso1");
  EXPECT_EQ(openScreen(), "");

  main.boton1->trigger();
  EXPECT_EQ(openScreen(), "Socio1");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != &main) window->close();
  }
}

TEST_F(OfferedScreensTest, MaintenanceBringsRegistersInAndTakesThemOut) {
  const QList<QAction*> entries = main.manteni->actions();
  EXPECT_TRUE(entries.contains(main.Importar));
  EXPECT_TRUE(entries.contains(main.Exportar));
  EXPECT_EQ(main.Importar->text(), "Importar…");
  EXPECT_EQ(main.Exportar->text(), "Exportar…");
  EXPECT_EQ(modalScreen(main.Exportar), "frmExportar");
  // Importing asks for the file first; without one nothing opens.
  bool fileAsked = false;
  testing::whenModalOpens([&fileAsked](QWidget* modal) {
    fileAsked = modal->inherits("QFileDialog");
    modal->close();
  });
  main.Importar->trigger();
  EXPECT_TRUE(fileAsked);
  EXPECT_EQ(openScreen(), "");
}

}  // namespace
}  // namespace kvt
