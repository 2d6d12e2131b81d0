#include "configuracion.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app_state.h"
#include "databases.h"
#include "form_keys.h"
#include "frm_servidor.h"
#include "messages.h"
#include "output_file.h"

namespace kvt {

namespace {

struct OptionField {
  QRadioButton* Configuracion::*option;
  const char* field;
};

// Each option button and the field it shows and stores.
constexpr OptionField kOptionFields[] = {
    {&Configuracion::Option3, "confcoclu"}, {&Configuracion::Option4, "confnoclu"},
    {&Configuracion::Option5, "confcosoc"}, {&Configuracion::Option6, "confnosoc"},
    {&Configuracion::Option7, "confcocon"}, {&Configuracion::Option8, "confnocon"}};

QRadioButton* option(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QRadioButton(text, parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

// A frame holding one pair of option buttons, of which exactly one is chosen.
QGroupBox* pair(const QString& title, QRadioButton* first, QRadioButton* second) {
  auto* frame = new QGroupBox(title);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(first);
  layout->addWidget(second);
  return frame;
}

}  // namespace

Configuracion::Configuracion(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Configuración"));
  setWindowTitle(QStringLiteral("Configuración de la Aplicación "));

  Text1 = new QLineEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text2 = new QLineEdit(this);
  Text2->setObjectName(QStringLiteral("Text2"));
  auto* nameLabel = new QLabel(QStringLiteral("Nombre S&istema"), this);
  nameLabel->setBuddy(Text1);
  auto* folderLabel = new QLabel(QStringLiteral("&Rta Doc"), this);
  folderLabel->setBuddy(Text2);
  chooseFolder = new QPushButton(QStringLiteral("..."), this);
  chooseFolder->setObjectName(QStringLiteral("chooseFolder"));
  chooseFolder->setToolTip(QStringLiteral("Elegir la carpeta de documentos"));

  Option3 = option(this, "Option3", QStringLiteral("Enceste"));
  Option4 = option(this, "Option4", QStringLiteral("LLegada"));
  Option5 = option(this, "Option5", QStringLiteral("Licencia"));
  Option6 = option(this, "Option6", QStringLiteral("Nombre"));
  Option7 = option(this, "Option7", QStringLiteral("Codigo"));
  Option8 = option(this, "Option8", QStringLiteral("Fecha"));
  auto* order = new QGroupBox(QStringLiteral("Criterio de Ordenación"), this);
  auto* orderLayout = new QHBoxLayout(order);
  orderLayout->addWidget(pair(QStringLiteral("Concurso"), Option7, Option8));
  orderLayout->addWidget(pair(QStringLiteral("Socio"), Option5, Option6));
  orderLayout->addWidget(pair(QStringLiteral("LLegadas"), Option3, Option4));

  confModificar = new QPushButton(QStringLiteral("&Modificar"), this);
  confModificar->setObjectName(QStringLiteral("confModificar"));
  ConfAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
  ConfAceptar->setObjectName(QStringLiteral("ConfAceptar"));
  confSalir = new QPushButton(QStringLiteral("&Salir"), this);
  confSalir->setObjectName(QStringLiteral("confSalir"));
  for (QPushButton* button : {confModificar, ConfAceptar, confSalir, chooseFolder}) {
    button->setAutoDefault(false);
  }

  auto* menus = new QMenuBar(this);
  conf = menus->addMenu(QStringLiteral("Configuración"));
  conf->setObjectName(QStringLiteral("conf"));
  Opciones = conf->addAction(QStringLiteral("&Opciones"));
  Opciones->setObjectName(QStringLiteral("Opciones"));
  Registros = conf->addAction(QStringLiteral("&Registros: local o servidor..."));
  Registros->setObjectName(QStringLiteral("Registros"));

  auto* layout = new QGridLayout(this);
  layout->setMenuBar(menus);
  layout->addWidget(nameLabel, 0, 0);
  layout->addWidget(Text1, 0, 1, 1, 3);
  layout->addWidget(folderLabel, 1, 0);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(Text2);
  folderRow->addWidget(chooseFolder);
  layout->addLayout(folderRow, 1, 1, 1, 3);
  layout->addWidget(order, 2, 0, 1, 4);
  layout->addWidget(confModificar, 3, 1);
  layout->addWidget(ConfAceptar, 3, 2);
  layout->addWidget(confSalir, 3, 3);

  enterMovesFocus(this);
  selectAllOnFocus(Text1);
  connect(confModificar, &QPushButton::clicked, this, &Configuracion::modify);
  connect(ConfAceptar, &QPushButton::clicked, this, &Configuracion::accept);
  connect(confSalir, &QPushButton::clicked, this, &Configuracion::leave);
  connect(chooseFolder, &QPushButton::clicked, this, &Configuracion::pickFolder);
  connect(Registros, &QAction::triggered, this, [this] { frmServidor(this).exec(); });

  modoEdicion = false;
  ConfAceptar->setEnabled(false);
  // A folder is chosen while the record is being changed: before "Modificar" it would be lost.
  chooseFolder->setEnabled(false);
  if (!rsConfig.open(kConfigConnection, QStringLiteral("select * from config"))) {
    showWarning(this, rsConfig.lastError());
  }
  showRecord();
}

void Configuracion::showRecord() {
  Text1->setText(rsConfig.value(QStringLiteral("confnosist")).toString());
  Text2->setText(rsConfig.value(QStringLiteral("confmsdos")).toString());
  for (const OptionField& shown : kOptionFields) {
    // Each pair is exclusive: setting the chosen one unsets its partner.
    if (rsConfig.value(QLatin1String(shown.field)).toBool())
      (this->*shown.option)->setChecked(true);
  }
}

void Configuracion::pickFolder() {
  const QString chosen = QFileDialog::getExistingDirectory(
      this, QStringLiteral("Carpeta de documentos"), Text2->text().trimmed());
  if (!chosen.isEmpty()) Text2->setText(QDir::toNativeSeparators(chosen));
}

void Configuracion::modify() {
  modoEdicion = true;
  showRecord();
  Text1->setFocus();
  confModificar->setEnabled(false);
  ConfAceptar->setEnabled(true);
  chooseFolder->setEnabled(true);
}

void Configuracion::accept() {
  modoEdicion = false;
  rsConfig.edit();
  rsConfig.setValue(QStringLiteral("confnosist"), Text1->text());
  // Upper-casing a path is harmless only where file names ignore case.
  rsConfig.setValue(QStringLiteral("confmsdos"),
                    folderNamesIgnoreCase() ? Text2->text().toUpper() : Text2->text());
  for (const OptionField& stored : kOptionFields) {
    rsConfig.setValue(QLatin1String(stored.field), (this->*stored.option)->isChecked());
  }
  if (!rsConfig.update()) {
    rsConfig.cancelUpdate();
    modoEdicion = true;
    showWarning(this,
                rsConfig.lastError() + QStringLiteral("\nLa configuración no se ha grabado."));
    return;
  }
  confModificar->setEnabled(true);
  ConfAceptar->setEnabled(false);
  chooseFolder->setEnabled(false);
  confModificar->setFocus();
}

void Configuracion::leave() {
  modoEdicion = false;
  if (rsConfig.edit()) rsConfig.cancelUpdate();
  done(QDialog::Rejected);
}

void Configuracion::reject() {
  leave();
}

}  // namespace kvt
