#include "frm_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

#include "app_state.h"
#include "form_style.h"
#include "messages.h"
#include "port_probe.h"
#include "settings_file.h"
#include "startup.h"

namespace kvt {

namespace {

const QString kSettingsFile = QStringLiteral("quorKVT.ini");

}  // namespace

frmOptions::frmOptions(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmOptions"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Opcion"));
  setProperty("Tag", QStringLiteral("1000"));

  Label1 = new QLabel(QStringLiteral("COM puerto numero "), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Com = new QComboBox(this);
  Com->setObjectName(QStringLiteral("Com"));
  Com->setEditable(true);
  Printer = new QCheckBox(QStringLiteral("Pedir Impresora"), this);
  Printer->setObjectName(QStringLiteral("Printer"));
  Return = new QPushButton(QStringLiteral("Grabar"), this);
  Return->setObjectName(QStringLiteral("Return"));
  Return->setAutoDefault(false);

  Label2 = new QLabel(QStringLiteral("Dispositivos serie conectados"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Dispositivos = new QTreeWidget(this);
  Dispositivos->setObjectName(QStringLiteral("Dispositivos"));
  Dispositivos->setHeaderLabels(
      {QStringLiteral("Puerto"), QStringLiteral("Dispositivo"), QStringLiteral("Conectado como")});
  Dispositivos->setRootIsDecorated(false);
  Dispositivos->setMinimumWidth(560);
  Usar = new QPushButton(QStringLiteral("&Usar este dispositivo"), this);
  Usar->setObjectName(QStringLiteral("Usar"));
  Usar->setAutoDefault(false);
  Usar->setEnabled(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0);
  layout->addWidget(Com, 0, 1);
  layout->addWidget(Label2, 1, 0, 1, 2);
  layout->addWidget(Dispositivos, 2, 0, 1, 2);
  layout->addWidget(Usar, 3, 1);
  layout->addWidget(Printer, 4, 0, 1, 2);
  layout->addWidget(Return, 5, 1);

  Com->setEditText(puertoCom);
  Printer->setChecked(pedirImpresora.trimmed().toInt() == 1);
  EstiloForm(this);

  connect(Com, &QComboBox::editTextChanged, this, &frmOptions::portChanged);
  connect(Printer, &QCheckBox::clicked, this, &frmOptions::printerClicked);
  connect(Return, &QPushButton::clicked, this, &frmOptions::save);
  connect(Usar, &QPushButton::clicked, this, &frmOptions::useDevice);
  connect(Dispositivos, &QTreeWidget::itemActivated, this, &frmOptions::useDevice);
  connect(Dispositivos, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { Usar->setEnabled(current != nullptr); });
}

void frmOptions::fillPorts() {
  {
    const QSignalBlocker quiet(Com);
    Com->clear();
    Com->addItems(openablePorts());
    Com->setEditText(puertoCom);
  }
  fillDevices();
}

void frmOptions::fillDevices() {
  devices_ = serialDevices(deviceFolders);
  Dispositivos->clear();
  for (const SerialDevice& device : devices_) {
    QString is = device.device != device.name ? QString::fromStdString(device.device) : QString();
    if (device.refused) {
      if (!is.isEmpty()) is += QStringLiteral(", ");
      is += QStringLiteral("sin permiso (grupo dialout)");
    }
    auto* item =
        new QTreeWidgetItem({device.com ? QStringLiteral("COM%1").arg(*device.com) : QString(),
                             QString::fromStdString(device.name), is});
    item->setToolTip(1, item->text(1));
    item->setToolTip(2, item->text(2));
    Dispositivos->addTopLevelItem(item);
  }
  // Wide enough to read a by-id name and its note whole, as far as the screen allows.
  int width = 2 * Dispositivos->frameWidth() + 24;
  for (int column = 0; column < Dispositivos->columnCount(); ++column) {
    Dispositivos->resizeColumnToContents(column);
    width += Dispositivos->columnWidth(column);
  }
  Dispositivos->setMinimumWidth(std::clamp(width, 560, 1000));
}

void frmOptions::useDevice() {
  const int row = Dispositivos->indexOfTopLevelItem(Dispositivos->currentItem());
  if (row < 0 || row >= static_cast<int>(devices_.size())) return;
  const PortChoice choice = choosePort(devices_[row], deviceFolders);
  if (choice.com == 0) {
    showWarning(this, QString::fromStdString(choice.error));
    return;
  }
  Com->setEditText(QString::number(choice.com));
  fillPorts();
  // The same device stays chosen, now beside its number.
  Dispositivos->setCurrentItem(Dispositivos->topLevelItem(row));
}

void frmOptions::portChanged(const QString& text) {
  if (!text.isEmpty()) puertoCom = portSetting(text);
}

void frmOptions::printerClicked() {
  pedirImpresora = Printer->isChecked() ? QStringLiteral(" 1") : QStringLiteral(" 0");
}

void frmOptions::save() {
  // The port is written trimmed: a blank in front of the number would be the next start's port.
  const bool written = GrabaIni(kSettingsFile, QStringLiteral("COM"), QStringLiteral("PORT"),
                                portSetting(Com->currentText())) &&
                       GrabaIni(kSettingsFile, QStringLiteral("PRINTER"), QStringLiteral("DEFAULT"),
                                Printer->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
  if (!written) {
    showWarning(this,
                QStringLiteral("No se pudo grabar el archivo de opciones %1.\n"
                               "Las opciones valen para esta sesión, pero no se han guardado.")
                    .arg(QDir::toNativeSeparators(settingsFilePath(kSettingsFile))));
    return;
  }
  close();
}

}  // namespace kvt
