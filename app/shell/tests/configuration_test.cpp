// The configuration screen: viewing, "&Modificar", "&Aceptar" and "&Salir", and its keys.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app_state.h"
#include "configuracion.h"
#include "databases.h"
#include "output_file.h"
#include "shell_fixture.h"
#include "widget_steps.h"

namespace kvt {
namespace {

class ConfigurationTest : public testing::ShellTest {
 protected:
  void SetUp() override { startUp(); }

  static QVariant stored(const char* field) {
    RecordSet config;
    config.open(kConfigConnection, "select * from config");
    return config.value(QLatin1String(field));
  }
};

TEST_F(ConfigurationTest, AceptarStoresTheRecordWithTheFolderCasedAsTheFileSystemTakesIt) {
  Configuracion screen;
  EXPECT_EQ(screen.objectName(), "Configuración");
  EXPECT_EQ(screen.windowTitle(), "Configuración de la Aplicación ");
  EXPECT_FALSE(screen.ConfAceptar->isEnabled());
  screen.confModificar->click();
  EXPECT_TRUE(modoEdicion);
  EXPECT_TRUE(screen.ConfAceptar->isEnabled());
  EXPECT_FALSE(screen.confModificar->isEnabled());
  screen.Text1->setText("Club Paloma's");
  screen.Text2->setText(" c:\\quor ");
  screen.Option8->setChecked(true);
  screen.Option6->setChecked(true);
  screen.Option4->setChecked(true);
  screen.ConfAceptar->click();

  EXPECT_FALSE(modoEdicion);
  EXPECT_TRUE(screen.confModificar->isEnabled());
  EXPECT_FALSE(screen.ConfAceptar->isEnabled());
  EXPECT_EQ(stored("confnosist").toString(), "Club Paloma's");
  // Upper-cased only where folder names ignore case; elsewhere it would name another folder.
  EXPECT_EQ(stored("confmsdos").toString(),
            folderNamesIgnoreCase() ? " C:\\QUOR " : " c:\\quor ");
  const std::pair<const char*, bool> options[] = {{"confcocon", false}, {"confnocon", true},
                                                  {"confcosoc", false}, {"confnosoc", true},
                                                  {"confcoclu", false}, {"confnoclu", true}};
  for (const auto& [field, value] : options) EXPECT_EQ(stored(field).toBool(), value) << field;
}

TEST_F(ConfigurationTest, TheFolderChosenBesideTheBoxIsStoredAsChosen) {
  const QString folder = path("Datos/Club Norte");
  ASSERT_TRUE(QDir().mkpath(folder));
  Configuracion screen;
  screen.show();
  // Only while the record is being changed: a folder chosen before "Modificar" would be lost.
  EXPECT_FALSE(screen.chooseFolder->isEnabled());
  screen.confModificar->click();
  EXPECT_TRUE(screen.chooseFolder->isEnabled());
  testing::whenModalOpens([&](QWidget* dialog) {
    auto* chooser = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(chooser, nullptr);
    chooser->setDirectory(folder);
    chooser->selectFile(folder);
    QMetaObject::invokeMethod(chooser, "accept");
  });
  screen.chooseFolder->click();
  EXPECT_EQ(QDir(screen.Text2->text()).absolutePath(), QDir(folder).absolutePath());
  screen.ConfAceptar->click();
  EXPECT_FALSE(screen.chooseFolder->isEnabled());
  if (!folderNamesIgnoreCase()) {
    EXPECT_EQ(stored("confmsdos").toString(), screen.Text2->text());
  }
}

TEST_F(ConfigurationTest, SalirAfterTypingStoresNothing) {
  Configuracion screen;
  const QString name = screen.Text1->text();
  screen.confModificar->click();
  screen.Text1->setText("otro nombre");
  screen.Text2->setText("d:\\otra");
  screen.Option8->setChecked(true);
  screen.confSalir->click();
  EXPECT_FALSE(modoEdicion);
  EXPECT_EQ(stored("confnosist").toString(), name);
  EXPECT_EQ(stored("confmsdos").toString(), "");
  EXPECT_TRUE(stored("confcocon").toBool());
}

TEST_F(ConfigurationTest, EnterMovesTheFocusOnAsTabDoes) {
  Configuracion screen;
  screen.show();
  QApplication::setActiveWindow(&screen);
  screen.Text1->setFocus();
  QTest::keyClick(screen.Text1, Qt::Key_Return);
  EXPECT_TRUE(screen.Text2->hasFocus());
  screen.confModificar->setFocus();
  QTest::keyClick(screen.confModificar, Qt::Key_Return);
  EXPECT_FALSE(modoEdicion);  // Enter on a button moves on; it does not press it
}

}  // namespace
}  // namespace kvt
