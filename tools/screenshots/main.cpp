// Takes the README's pictures of the program: the main window, the capture window while a
// printout arrives, and the contest reading screen with its pigeons. Run on a display (the repo's
// screenshot script starts a virtual one): build/bin/quorkvt-screenshots FOLDER
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <thread>

#include "app_state.h"
#include "databases.h"
#include "datos_concur.h"
#include "frm_kvt_monitor.h"
#include "frm_main.h"
#include "link_binding.h"
#include "printout_player.h"
#include "printouts.h"
#include "program_screens.h"
#include "pty_clock.h"

namespace {

void wait(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
}

void typeAndLeave(QLineEdit* box, const QString& text) {
  box->setText(text);
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(box, &out);
}

bool save(QWidget* window, const QString& file) {
  wait(300);
  return window->grab().save(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorkvt-screenshots FOLDER\n");
    return 2;
  }
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
  qputenv("CUPS_SERVER", (home.path() + "/no-cups").toLocal8Bit());  // shown, not printed
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QuorKVT"));
  const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();

  kvt::frmMain main;
  if (!main.load(home.path()).isEmpty()) return 1;
  kvt::offerScreens(main);
  main.show();
  bool ok = save(&main, folder + "/main-window.png");

  kvt::rsConcurso.addNew();
  kvt::rsConcurso.setValue("cocodigo", "12");
  kvt::rsConcurso.setValue("conombre", "SUELTA DE TALAVERA");
  kvt::rsConcurso.setValue("cofecha", QDate::currentDate().addDays(3));
  kvt::rsConcurso.setValue("coenceste", QDate::currentDate().addDays(1));
  kvt::rsSocios.addNew();
  kvt::rsSocios.setValue("slicencia", "345");
  kvt::rsSocios.setValue("snombre", "GARCIA LOPEZ JUAN");
  if (!kvt::rsConcurso.update() || !kvt::rsSocios.update()) return 1;

  quorclock::PtyClock clock(1);
  kvt::puertoCom = "1";
  kvt::pedirImpresora = "0";
  main.Reloj->trigger();
  kvt::DatosConcur* screen = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<kvt::DatosConcur*>(window)) screen = found;
  }
  if (screen == nullptr) return 1;
  typeAndLeave(screen->Text1, "12");
  typeAndLeave(screen->Text3, "345");
  screen->Command6->click();
  kvt::frmKVTmonitor* monitor = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<kvt::frmKVTmonitor*>(window)) monitor = found;
  }
  if (monitor == nullptr || !clock.waitUntilOpened(std::chrono::seconds(2))) return 1;
  monitor->move(120, 60);
  std::thread player([&] {
    quorclock::PlayOptions options;
    quorclock::play(clock,
                    quorclock::printoutChunks(kvt::testing::printedLines("basketing"), options),
                    options.perByte);
  });
  wait(1500);
  ok = save(monitor, folder + "/capture-window.png") && ok;
  player.join();
  wait(500);
  monitor->Command2->click();
  QEvent activation(QEvent::WindowActivate);
  QApplication::sendEvent(screen, &activation);
  ok = save(screen, folder + "/contest-reading.png") && ok;
  kvt::link::closeQuorKVT();
  kvt::link::closeQuorConnection();
  screen->close();
  kvt::closeDatabases();
  return ok ? 0 : 1;
}
