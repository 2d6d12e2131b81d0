#include "frm_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

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

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0);
  layout->addWidget(Com, 0, 1);
  layout->addWidget(Printer, 1, 0, 1, 2);
  layout->addWidget(Return, 2, 1);

  Com->setEditText(puertoCom);
  Printer->setChecked(pedirImpresora.trimmed().toInt() == 1);
  EstiloForm(this);

  connect(Com, &QComboBox::editTextChanged, this, &frmOptions::portChanged);
  connect(Printer, &QCheckBox::clicked, this, &frmOptions::printerClicked);
  connect(Return, &QPushButton::clicked, this, &frmOptions::save);
}

void frmOptions::fillPorts() {
  const QSignalBlocker quiet(Com);
  Com->clear();
  Com->addItems(openablePorts());
  Com->setEditText(puertoCom);
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
