// How long the member register takes with 5000 members, on Qt's offscreen platform: opening it
// (the register read and listed, the window shown), listing it again by name (in Spanish order),
// a name search that finds a member near the end of the list, and saving a change to that member
// (the change written, the register listed again, the member selected). Each figure is the median
// of the runs. The register is measured in the local file, then on a PostgreSQL server of the
// benchmark's own (scripts/test-server.sh, in a folder below /tmp, removed at the end), reached
// through its Unix socket.
// Run: build/bin/member_register_bench [runs]
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "databases.h"
#include "messages.h"
#include "register_server.h"
#include "socio1.h"
#include "startup.h"

namespace {

constexpr int kMembers = 5000;

bool insertMembers() {
  QSqlDatabase db = QSqlDatabase::database(kvt::registerConnection());
  db.transaction();
  QSqlQuery query(db);
  query.prepare(
      QStringLiteral("insert into socios (slicencia, snombre, slicenreloj) values (?, ?, ?)"));
  for (int i = 1; i <= kMembers; ++i) {
    query.addBindValue(QString::number(i));
    // Names in another order than the licences, so that the two orders differ.
    query.addBindValue(QStringLiteral("SOCIO %1 NÚMERO %2")
                           .arg((i * 7919) % kMembers, 5, 10, QLatin1Char('0'))
                           .arg(i));
    query.addBindValue(QString::number(1000 + i));
    if (!query.exec()) return false;
  }
  return db.commit();
}

double milliseconds(const std::function<void()>& step) {
  QElapsedTimer timer;
  timer.start();
  step();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

bool serverScript(const QString& action, const QString& folder) {
  QProcess script;
  script.setProcessChannelMode(QProcess::ForwardedChannels);
  script.start(QStringLiteral(QUORKVT_SERVER_SCRIPT), {action, folder});
  return script.waitForFinished(60000) && script.exitStatus() == QProcess::NormalExit &&
         script.exitCode() == 0;
}

// Starts the program with its registers where the settings say, fills them and measures.
bool measure(const char* where, const QString& programFolder, int runs, bool& silent) {
  if (const QString error = kvt::startUp(programFolder); !error.isEmpty()) {
    std::fprintf(stderr, "start-up failed: %s\n", qPrintable(error));
    return false;
  }
  if (!insertMembers()) {
    std::fprintf(stderr, "the members could not be stored\n");
    return false;
  }
  std::vector<double> opening, byName, search, save;
  for (int run = 0; run < runs; ++run) {
    std::unique_ptr<kvt::Socio1> screen;
    opening.push_back(milliseconds([&] {
      screen = std::make_unique<kvt::Socio1>();
      screen->show();
      QApplication::processEvents();
    }));
    byName.push_back(milliseconds([&] {
      QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
      QApplication::sendEvent(screen->Option2, &in);
      QApplication::processEvents();
    }));
    screen->soc9->trigger();
    search.push_back(milliseconds([&] {
      screen->Text1->setText(QStringLiteral("socio 04999"));
      screen->Command1->click();
      QApplication::processEvents();
    }));
    const bool found =
        screen->ListView1->currentItem()->text(1) == QStringLiteral("SOCIO 04999 NÚMERO 2321");
    const QString clock = QString::number(run);
    save.push_back(milliseconds([&] {
      screen->soc7->trigger();
      screen->Text6->setText(clock);
      screen->Command7->click();
      QApplication::processEvents();
    }));
    if (screen->ListView1->topLevelItemCount() != kMembers || !silent || !found ||
        screen->ListView1->currentItem()->text(1) != QStringLiteral("SOCIO 04999 NÚMERO 2321") ||
        screen->ListView1->currentItem()->text(2) != clock) {
      std::fprintf(stderr, "the register did not list or find what it should\n");
      return false;
    }
  }
  std::printf(
      "member register %s, %d members, %d runs (median): opening %.1f ms, listing by name "
      "%.1f ms, name search %.1f ms, saving a change %.1f ms\n",
      where, kMembers, runs, median(opening), median(byName), median(search), median(save));
  kvt::closeDatabases();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QuorKVT"));
  bool silent = true;
  kvt::answerMessagesWith([&silent](const kvt::Message& message) {
    std::fprintf(stderr, "message: %s\n", qPrintable(message.text));
    silent = false;
    return false;
  });
  const QString program = home.path() + QStringLiteral("/program");
  if (!measure("in the local file", program, runs, silent)) return 1;

  const QString server =
      QStringLiteral("/tmp/quorkvt-pg-bench-%1").arg(QCoreApplication::applicationPid());
  if (!serverScript(QStringLiteral("start"), server)) {
    std::fprintf(stderr, "the benchmark's database server did not start\n");
    return 1;
  }
  const bool measured =
      kvt::saveServerSettings({true, server, 5432, QStringLiteral("postgres"), QStringLiteral("kvt")}) &&
      measure("on a PostgreSQL server", program, runs, silent);
  serverScript(QStringLiteral("remove"), server);
  return measured ? 0 : 1;
}
