#include "frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "configuracion.h"
#include "form_style.h"
#include "frm_options.h"
#include "link_binding.h"
#include "messages.h"
#include "settings_file.h"
#include "startup.h"

namespace kvt {

namespace {

QAction* namedAction(QObject* parent, const char* name, const QString& text) {
  auto* action = new QAction(text, parent);
  action->setObjectName(QLatin1String(name));
  return action;
}

}  // namespace

void setStatusText(const QString& text) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<frmMain*>(window)) main->texto->setText(text);
  }
}

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("QuorKVT"));
  resize(800, 560);
  buildMenu();
  buildToolbar();
  buildStatusBar();
  setCentralWidget(new QWidget(this));
}

QString frmMain::load(const QString& programFolder) {
  const QString error = startUp(programFolder);
  if (!error.isEmpty()) return error;
  setWindowTitle(mainCaption());
  EstiloForm(this);
  return {};
}

void frmMain::buildMenu() {
  manteni = menuBar()->addMenu(QStringLiteral("&1 Mantenimiento"));
  manteni->setObjectName(QStringLiteral("manteni"));
  Socio = namedAction(this, "Socio", QStringLiteral("Socio"));
  concurso = namedAction(this, "concurso", QStringLiteral("Concursos"));
  Opciones = namedAction(this, "Opciones", QStringLiteral("Opciones"));
  Importar = namedAction(this, "Importar", QStringLiteral("Importar…"));
  Exportar = namedAction(this, "Exportar", QStringLiteral("Exportar…"));
  manteni->addActions({Socio, concurso, Opciones, Importar, Exportar});
  Lista = menuBar()->addMenu(QStringLiteral("&2 Archivos"));
  Lista->setObjectName(QStringLiteral("Lista"));
  Reloj = namedAction(this, "Reloj", QStringLiteral("Enc/Comp"));
  Palo = namedAction(this, "Palo", QStringLiteral("Palomas"));
  Lista->addActions({Reloj, Palo});
  config = namedAction(this, "config", QStringLiteral("&4 Configuracion"));
  Salir = namedAction(this, "Salir", QStringLiteral("&5 Salir"));
  menuBar()->addAction(config);
  menuBar()->addAction(Salir);

  // The registers and the reading screens are not part of the program yet.
  for (QAction* later : {Socio, concurso, Importar, Exportar, Reloj, Palo})
    later->setEnabled(false);
  connect(Opciones, &QAction::triggered, this, &frmMain::showOptions);
  connect(config, &QAction::triggered, this, &frmMain::showConfiguration);
  connect(Salir, &QAction::triggered, this, &frmMain::leave);
}

void frmMain::buildToolbar() {
  Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setMovable(false);
  Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  const QStyle* look = style();
  boton1 = namedAction(this, "boton1", QStringLiteral("Socios"));
  boton1->setIcon(look->standardIcon(QStyle::SP_DirHomeIcon));
  boton2 = namedAction(this, "boton2", QStringLiteral("Concursos"));
  boton2->setIcon(look->standardIcon(QStyle::SP_FileDialogDetailedView));
  boton3 = namedAction(this, "boton3", QStringLiteral("Enc/Comp"));
  boton3->setIcon(look->standardIcon(QStyle::SP_DriveHDIcon));
  boton3->setToolTip(QStringLiteral("Enceste/Comprobacion"));
  boton6 = namedAction(this, "boton6", QStringLiteral("Palomas"));
  boton6->setIcon(look->standardIcon(QStyle::SP_FileDialogListView));
  boton6->setToolTip(QStringLiteral("Palomas"));
  boton5 = namedAction(this, "boton5", QStringLiteral("Salir"));
  boton5->setIcon(look->standardIcon(QStyle::SP_DialogCloseButton));
  Toolbar1->addActions({boton1, boton2, boton3, boton6, boton5});
  for (QAction* later : {boton1, boton2, boton3, boton6}) later->setEnabled(false);
  connect(boton5, &QAction::triggered, this, &frmMain::leave);
}

void frmMain::buildStatusBar() {
  StatusBar1 = statusBar();
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  texto = new QLabel(StatusBar1);
  texto->setObjectName(QStringLiteral("texto"));
  date_ = new QLabel(StatusBar1);
  time_ = new QLabel(StatusBar1);
  StatusBar1->addWidget(texto, 1);
  StatusBar1->addPermanentWidget(date_);
  StatusBar1->addPermanentWidget(time_);
  auto tick = [this] {
    const QDateTime now = QDateTime::currentDateTime();
    date_->setText(now.toString(QStringLiteral("dd/MM/yyyy")));
    time_->setText(now.toString(QStringLiteral("HH:mm")));
  };
  tick();
  auto* clock = new QTimer(this);
  connect(clock, &QTimer::timeout, this, tick);
  clock->start(1000);
}

bool frmMain::event(QEvent* event) {
  // Showing the window activates it, except on a display without a window manager.
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
    texto->setText(QStringLiteral("Programa para la Lectura de los Relojes Quor"));
  }
  return QMainWindow::event(event);
}

void frmMain::leave() {
  if (!askYesNo(this, QStringLiteral("Deseas Salir de la Aplicación"), QStringLiteral("Aviso"))) {
    return;
  }
  closeOtherWindows();
  link::closeQuorKVT();
  link::closeQuorConnection();
  close();
}

void frmMain::closeEvent(QCloseEvent* event) {
  closeOtherWindows();
  if (!isMinimized()) saveMainGeometry(frameGeometry());
  event->accept();
}

void frmMain::closeOtherWindows() {
  const QWidgetList windows = QApplication::topLevelWidgets();
  for (auto window = windows.crbegin(); window != windows.crend(); ++window) {
    if (*window != this && (*window)->isVisible()) (*window)->close();
  }
}

void frmMain::offerScreen(QAction* entry, QAction* button, const QString& name,
                          std::function<QWidget*()> create) {
  auto show = [name, create] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName() == name && window->isVisible()) {
        window->raise();
        window->activateWindow();
        return;
      }
    }
    QWidget* screen = create();
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->show();
  };
  for (QAction* action : {entry, button}) {
    if (action == nullptr) continue;
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, show);
  }
}

void frmMain::offerModalScreen(QAction* action, std::function<QDialog*()> create) {
  action->setEnabled(true);
  connect(action, &QAction::triggered, this, [create] {
    std::unique_ptr<QDialog> screen(create());
    screen->exec();
  });
}

void frmMain::showOptions() {
  auto* options = new frmOptions(this);
  options->show();
  options->fillPorts();
}

void frmMain::showConfiguration() {
  Configuracion configuration(this);
  configuration.exec();
}

}  // namespace kvt
