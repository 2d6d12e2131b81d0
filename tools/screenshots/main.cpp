// Takes the README's pictures of the program: the main window, the two registers, the capture
// window while a printout arrives, and the contest reading screen with its pigeons. Run on a
// display (the repo's screenshot script starts a virtual one): build/bin/quorkvt-screenshots FOLDER
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
#include "concurso1.h"
#include "databases.h"
#include "datos_concur.h"
#include "frm_kvt_monitor.h"
#include "frm_main.h"
#include "link_binding.h"
#include "messages.h"
#include "printout_player.h"
#include "printouts.h"
#include "program.h"
#include "pty_clock.h"
#include "socio1.h"

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

// The open window of that kind, or none.
template <typename Window>
Window* openWindow() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<Window*>(window)) return found;
  }
  return nullptr;
}

// A few contests and members; the pictures read contest 12 for member 345.
bool fillRegisters() {
  const QDate today = QDate::currentDate();
  const struct {
    const char* code;
    const char* name;
    int basketingIn;
  } contests[] = {{"12", "SUELTA DE TALAVERA", 1},
                  {"11", "SUELTA DE ARANJUEZ", -6},
                  {"13", "SUELTA DE BAILEN", 8}};
  for (const auto& contest : contests) {
    kvt::rsConcurso.addNew();
    kvt::rsConcurso.setValue("cocodigo", contest.code);
    kvt::rsConcurso.setValue("conombre", contest.name);
    kvt::rsConcurso.setValue("cofecha", today.addDays(contest.basketingIn + 2));
    kvt::rsConcurso.setValue("coenceste", today.addDays(contest.basketingIn));
    if (!kvt::rsConcurso.update()) return false;
  }
  const struct {
    const char* licence;
    const char* name;
    const char* clock;
  } members[] = {{"345", "GARCIA LOPEZ JUAN", "10233"},
                 {"12", "MARTIN SANZ PEDRO", "8812"},
                 {"1020", "RUIZ DIAZ ANTONIO", ""},
                 {"78", "FERNANDEZ GIL LUIS", "10511"}};
  for (const auto& member : members) {
    kvt::rsSocios.addNew();
    kvt::rsSocios.setValue("slicencia", member.licence);
    kvt::rsSocios.setValue("snombre", member.name);
    kvt::rsSocios.setValue("slicenreloj", member.clock);
    if (!kvt::rsSocios.update()) return false;
  }
  return true;
}

// The pictures, from the program as it shows itself: a contest and a member, a clock reading, its
// pigeons.
bool takePictures(kvt::frmMain& main, const QString& folder) {
  bool ok = save(&main, folder + "/main-window.png");
  if (!fillRegisters()) return false;
  {
    kvt::Socio1 members;
    members.show();
    ok = save(&members, folder + "/members-register.png") && ok;
    kvt::Concurso1 contests;
    contests.show();
    ok = save(&contests, folder + "/contests-register.png") && ok;
  }

  quorclock::PtyClock clock(1);
  kvt::puertoCom = "1";
  kvt::pedirImpresora = "0";
  main.Reloj->trigger();
  auto* screen = openWindow<kvt::DatosConcur>();
  if (screen == nullptr) return false;
  typeAndLeave(screen->Text1, "12");
  typeAndLeave(screen->Text3, "345");
  screen->Command6->click();
  auto* monitor = openWindow<kvt::frmKVTmonitor>();
  if (monitor == nullptr || !clock.waitUntilOpened(std::chrono::seconds(2))) return false;
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
  return ok;
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
  const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  // Nobody is there to close a message box: what the program would say goes to the error output.
  kvt::answerMessagesWith([](const kvt::Message& message) {
    std::fprintf(stderr, "%s\n", message.text.toLocal8Bit().constData());
    return false;
  });
  return kvt::runQuorKVT(home.path(), [&folder](kvt::frmMain& main) {
    QApplication::exit(takePictures(main, folder) ? 0 : 1);
  });
}
