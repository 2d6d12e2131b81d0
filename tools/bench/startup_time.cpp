// How long the program takes from its process start to its main window shown, with a register of
// 1000 members and 100 contests, on Qt's offscreen platform. Each run starts this program anew in
// the role of the desktop program (the same start-up code and main window), and the time runs from
// just before the process is started to the first turn of its event loop after the window shows.
// Run: build/bin/startup_time [runs]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "databases.h"
#include "messages.h"
#include "program.h"
#include "startup.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The desktop program's start, telling the measuring process through fd when its window shows.
int runProgram(int argc, char** argv, const QString& programFolder, int fd) {
  QApplication application(argc, argv);
  // A start that fails ends the run at once instead of waiting in a message box.
  kvt::answerMessagesWith([](const kvt::Message&) { return false; });
  return kvt::runQuorKVT(programFolder, [fd](kvt::frmMain&) {
    const char shown = 1;
    if (write(fd, &shown, 1) != 1) std::exit(1);
    QApplication::quit();
  });
}

bool insertRecords();

bool fillRegisters(const QString& programFolder) {
  if (!kvt::startUp(programFolder).isEmpty()) return false;
  const bool filled = insertRecords();
  kvt::closeDatabases();
  return filled;
}

bool insertRecords() {
  QSqlDatabase db = QSqlDatabase::database(kvt::kPalConnection);
  db.transaction();
  QSqlQuery query(db);
  query.prepare(
      QStringLiteral("insert into socios (slicencia, snombre, slicenreloj) values (?, ?, ?)"));
  for (int i = 1; i <= 1000; ++i) {
    query.addBindValue(QString::number(i));
    query.addBindValue(QStringLiteral("SOCIO NUMERO %1").arg(i));
    query.addBindValue(QString::number(1000 + i));
    if (!query.exec()) return false;
  }
  query.prepare(QStringLiteral(
      "insert into concurso (cocodigo, conombre, cofecha, coenceste) values (?, ?, ?, ?)"));
  for (int i = 1; i <= 100; ++i) {
    const QDate release = QDate(2026, 3, 1).addDays(i);
    query.addBindValue(QString::number(i));
    query.addBindValue(QStringLiteral("CONCURSO %1").arg(i));
    query.addBindValue(release.toString(Qt::ISODate));
    query.addBindValue(release.addDays(-2).toString(Qt::ISODate));
    if (!query.exec()) return false;
  }
  return db.commit();
}

double runOnce(const char* self, const std::string& programFolder) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  const std::string fd = std::to_string(pipeFds[1]);
  char* const arguments[] = {const_cast<char*>(self), const_cast<char*>("--program"),
                             const_cast<char*>(programFolder.c_str()),
                             const_cast<char*>(fd.c_str()), nullptr};
  const auto start = Clock::now();
  pid_t child = 0;
  // The offscreen platform's notices would drown the figures.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawn(&child, self, &actions, nullptr, arguments, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  close(pipeFds[1]);
  char shown = 0;
  const bool told = read(pipeFds[0], &shown, 1) == 1;
  const auto end = Clock::now();
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!told || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--program") {
    return runProgram(argc, argv, QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
  }
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QTemporaryDir home;
  setenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit().constData(), 1);
  setenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit().constData(), 1);
  setenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit().constData(), 1);
  const QString programFolder = home.path() + QStringLiteral("/program");
  QDir().mkpath(programFolder + QStringLiteral("/Datos"));
  {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QuorKVT"));
    if (!fillRegisters(programFolder)) {
      std::fprintf(stderr, "the registers could not be filled\n");
      return 1;
    }
  }
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double ms = runOnce(self.c_str(), programFolder.toStdString());
    if (ms < 0) {
      std::fprintf(stderr, "the program did not show its window\n");
      return 1;
    }
    times.push_back(ms);
  }
  std::sort(times.begin(), times.end());
  std::printf(
      "start to main window shown, 1000 members, 100 contests, %d runs: median %.1f ms, "
      "min %.1f ms, max %.1f ms\n",
      runs, times[times.size() / 2], times.front(), times.back());
  return 0;
}
