#include "frm_servidor.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "databases.h"
#include "form_keys.h"
#include "messages.h"

namespace kvt {

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

}  // namespace

frmServidor::frmServidor(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmServidor"));
  setWindowTitle(QStringLiteral("Registros de socios y concursos"));

  Local = named(new QRadioButton(QStringLiteral("&Local: en este PC"), this), "Local");
  Servidor = named(
      new QRadioButton(QStringLiteral("S&ervidor: en una base de datos PostgreSQL de todo el club"),
                       this),
      "Servidor");
  Host = named(new QLineEdit(this), "Host");
  Puerto = named(new QSpinBox(this), "Puerto");
  Puerto->setRange(1, 65535);
  BaseDatos = named(new QLineEdit(this), "BaseDatos");
  Usuario = named(new QLineEdit(this), "Usuario");
  Clave = named(new QLineEdit(this), "Clave");
  Clave->setEchoMode(QLineEdit::Password);
  Probar = named(new QPushButton(QStringLiteral("&Probar"), this), "Probar");
  Copiar = named(new QPushButton(QStringLiteral("&Copiar los registros locales al servidor"), this),
                 "Copiar");
  Grabar = named(new QPushButton(QStringLiteral("&Grabar"), this), "Grabar");
  Salir = named(new QPushButton(QStringLiteral("&Salir"), this), "Salir");
  for (QPushButton* button : {Probar, Copiar, Grabar, Salir}) button->setAutoDefault(false);

  auto* server = new QGroupBox(QStringLiteral("Servidor"), this);
  auto* form = new QFormLayout(server);
  form->addRow(QStringLiteral("&Host"), Host);
  form->addRow(QStringLiteral("P&uerto"), Puerto);
  form->addRow(QStringLiteral("&Base de datos"), BaseDatos);
  form->addRow(QStringLiteral("Us&uario"), Usuario);
  form->addRow(QStringLiteral("Con&traseña"), Clave);
  auto* note = new QLabel(
      QStringLiteral("La contraseña no se guarda: vale mientras el programa esté abierto. Para no "
                     "escribirla cada vez, póngala en el archivo de contraseñas de PostgreSQL "
                     "(en Windows %APPDATA%\\postgresql\\pgpass.conf, en Linux ~/.pgpass).\n"
                     "Lo que se graba aquí vale desde la próxima vez que se abra el programa."),
      this);
  note->setWordWrap(true);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {Probar, Grabar, Salir}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Local);
  layout->addWidget(Servidor);
  layout->addWidget(server);
  layout->addWidget(note);
  layout->addWidget(Copiar);
  layout->addLayout(buttons);

  enterMovesFocus(this);
  connect(Local, &QRadioButton::toggled, this, &frmServidor::chosen);
  connect(Probar, &QPushButton::clicked, this, &frmServidor::test);
  connect(Copiar, &QPushButton::clicked, this, &frmServidor::copy);
  connect(Grabar, &QPushButton::clicked, this, &frmServidor::save);
  connect(Salir, &QPushButton::clicked, this, &QDialog::reject);
  showSettings(readServerSettings());
  Clave->setText(serverPassword());
}

ServerSettings frmServidor::shown() const {
  return {Servidor->isChecked(), Host->text().trimmed(), Puerto->value(),
          BaseDatos->text().trimmed(), Usuario->text().trimmed()};
}

void frmServidor::showSettings(const ServerSettings& settings) {
  (settings.useServer ? Servidor : Local)->setChecked(true);
  Host->setText(settings.host);
  Puerto->setValue(settings.port);
  BaseDatos->setText(settings.database);
  Usuario->setText(settings.user);
  chosen();
}

void frmServidor::chosen() {
  for (QWidget* box : std::initializer_list<QWidget*>{Host, Puerto, BaseDatos, Usuario, Clave})
    box->setEnabled(Servidor->isChecked());
  Probar->setEnabled(Servidor->isChecked());
  Copiar->setEnabled(Servidor->isChecked());
}

void frmServidor::test() {
  setServerPassword(Clave->text());
  showNotice(this, testServer(shown()), QStringLiteral("Aviso"));
}

void frmServidor::copy() {
  setServerPassword(Clave->text());
  showNotice(this, copyLocalRegisters(kPalConnection, shown()), QStringLiteral("Aviso"));
}

void frmServidor::save() {
  setServerPassword(Clave->text());
  if (!saveServerSettings(shown())) {
    showWarning(this, QStringLiteral("No se ha podido grabar el archivo de configuración quorKVT.ini."),
                QStringLiteral("Aviso"));
    return;
  }
  showNotice(this,
             QStringLiteral("Grabado. Los registros se leerán %1 desde la próxima vez que se abra "
                            "el programa.")
                 .arg(Servidor->isChecked() ? QStringLiteral("del servidor")
                                            : QStringLiteral("de este PC")),
             QStringLiteral("Aviso"));
  QDialog::accept();
}

}  // namespace kvt
