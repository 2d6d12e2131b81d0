// The settings file, the options screen with its port probe, and the common form styling.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <vector>

#include "app_state.h"
#include "databases.h"
#include "form_style.h"
#include "frm_options.h"
#include "link_binding.h"
#include "port_names.h"
#include "pseudo_terminal.h"
#include "pty_clock.h"
#include "settings_file.h"
#include "shell_fixture.h"

namespace kvt {
namespace {

using SettingsTest = testing::ShellTest;

TEST_F(SettingsTest, SettingsFileRoundTrip) {
  EXPECT_EQ(LeeIni("quorKVT.ini", "COM", "PORT"), "");
  EXPECT_TRUE(GrabaIni("quorKVT.ini", "COM", "PORT", "3"));
  EXPECT_TRUE(QFile::exists(settingsFilePath("quorKVT.ini")));
  EXPECT_EQ(LeeIni("quorKVT.ini", "COM", "PORT"), "3");
  EXPECT_EQ(LeeIni("quorKVT.ini", "COM", "BAUD"), "");
  EXPECT_EQ(LeeIni("quorKVT.ini", "PRINTER", "PORT"), "");
  EXPECT_TRUE(GrabaIni("quorKVT.ini", "PRINTER", "DEFAULT", "a,b"));
  EXPECT_EQ(LeeIni("quorKVT.ini", "PRINTER", "DEFAULT"), "a,b");
}

TEST_F(SettingsTest, OptionsScreenWritesThePortTrimmed) {
  startUp();
  auto* options = new frmOptions;
  EXPECT_EQ(options->windowTitle(), "Options");
  options->show();
  options->Com->setEditText(" 4");
  EXPECT_EQ(puertoCom, "4");
  options->Printer->click();
  EXPECT_EQ(pedirImpresora.trimmed(), "1");
  options->Return->click();
  EXPECT_EQ(LeeIni("quorKVT.ini", "COM", "PORT"), "4");
  EXPECT_EQ(LeeIni("quorKVT.ini", "PRINTER", "DEFAULT"), "1");

  closeDatabases();
  startUp();
  EXPECT_EQ(puertoCom, "4");
  EXPECT_EQ(pedirImpresora, "1");
}

TEST_F(SettingsTest, PrinterChoiceWithoutGrabarHoldsForThisRunOnly) {
  GrabaIni("quorKVT.ini", "PRINTER", "DEFAULT", "0");
  startUp();
  auto* options = new frmOptions;
  options->show();
  EXPECT_FALSE(options->Printer->isChecked());
  options->Printer->click();
  options->close();
  EXPECT_EQ(pedirImpresora.trimmed(), "1");
  EXPECT_EQ(LeeIni("quorKVT.ini", "PRINTER", "DEFAULT"), "0");
}

TEST_F(SettingsTest, PortProbeListsExactlyThePortsThatOpen) {
  startUp();
  puertoCom = "3";
  // Every other port number names a device that is not there.
  std::filesystem::create_directories(quorlink::portsFolder());
  for (int n = 1; n <= 16; ++n) {
    if (n == 1 || n == 3) continue;
    std::filesystem::create_symlink("/nonexistent/tty" + std::to_string(n),
                                    quorlink::portsFolder() + "/COM" + std::to_string(n));
  }
  const quorclock::PtyClock com1(1);
  const quorclock::PtyClock com3(3);
  auto* options = new frmOptions;
  options->show();
  options->fillPorts();
  QStringList listed;
  for (int i = 0; i < options->Com->count(); ++i) listed << options->Com->itemText(i);
  EXPECT_EQ(listed, QStringList({"1", "3"}));
  EXPECT_EQ(options->Com->currentText(), "3");
  options->close();
}

TEST_F(SettingsTest, AnAdapterChosenByNameBecomesThePortTheLinkOpens) {
  startUp();
  puertoCom = "7";
  const testing::PseudoTerminal adapter;
  const std::filesystem::path dev = path("dev").toStdString();
  std::filesystem::create_directories(dev / "serial/by-id");
  std::filesystem::create_symlink(adapter.device(), dev / "ttyUSB0");
  const std::filesystem::path byId = dev / "serial/by-id/usb-Prolific_PL2303_0042-if00-port0";
  std::filesystem::create_symlink("../../ttyUSB0", byId);
  auto* options = new frmOptions;
  options->deviceFolders = {dev / "serial/by-id", dev, quorlink::portsFolder()};
  options->show();
  options->fillPorts();
  ASSERT_EQ(options->Dispositivos->topLevelItemCount(), 1);
  QTreeWidgetItem* row = options->Dispositivos->topLevelItem(0);
  EXPECT_EQ(row->text(0), "");
  EXPECT_EQ(row->text(1), QString::fromStdString(byId.string()));
  EXPECT_EQ(row->text(2), QString::fromStdString((dev / "ttyUSB0").string()));
  EXPECT_FALSE(options->Usar->isEnabled());

  options->Dispositivos->setCurrentItem(row);
  options->Usar->click();
  // COM1 is free in this tree: its entry now links to the adapter's name.
  EXPECT_EQ(std::filesystem::read_symlink(quorlink::portsFolder() + "/COM1"), byId);
  EXPECT_EQ(options->Com->currentText(), "1");
  EXPECT_EQ(puertoCom, "1");
  EXPECT_EQ(options->Dispositivos->topLevelItem(0)->text(0), "COM1");
  EXPECT_NE(options->Com->findText("1"), -1);
  options->Return->click();
  EXPECT_EQ(LeeIni("quorKVT.ini", "COM", "PORT"), "1");
  EXPECT_TRUE(messages.empty());

  QString port = puertoCom;
  EXPECT_EQ(link::openQuorConnection(port), 1);
  link::closeQuorConnection();
}

TEST_F(SettingsTest, StylingTakesTextsFromTheStringTableByTag) {
  QWidget window;
  window.setWindowTitle("Diseño");
  auto* tagged = new QLabel("designed", &window);
  tagged->setProperty("Tag", "1000");
  auto* untagged = new QLabel("designed", &window);
  auto* unknown = new QPushButton("designed", &window);
  unknown->setProperty("Tag", "20");
  auto* menu = new QMenu(&window);
  menu->addAction("&1 Mantenimiento");
  menu->addAction("1000");
  EstiloForm(&window);
  EXPECT_EQ(window.windowTitle(), "Diseño");
  EXPECT_EQ(tagged->text(), "Options");
  EXPECT_EQ(untagged->text(), "designed");
  EXPECT_EQ(unknown->text(), "designed");
  EXPECT_EQ(menu->actions()[0]->text(), "&1 Mantenimiento");
  EXPECT_EQ(menu->actions()[1]->text(), "Options");
}

}  // namespace
}  // namespace kvt
