// Sets up a demo club for the desktop program: its databases with a few members and contests,
// the documents folder, and the settings for a clock on COM1, with the printer chosen in a dialog
// (a PDF file will do). The program's folders are those of
// the environment (XDG_CONFIG_HOME, XDG_DATA_HOME), so a demo never touches a real club's data.
// Run: build/bin/quorkvt-demo-club DOCUMENTS-FOLDER
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <cstdio>

#include "databases.h"
#include "settings_file.h"
#include "startup.h"

namespace {

bool add(kvt::RecordSet& set, std::initializer_list<std::pair<const char*, QVariant>> fields) {
  set.addNew();
  for (const auto& [name, value] : fields) set.setValue(QLatin1String(name), value);
  if (set.update()) return true;
  std::fprintf(stderr, "%s\n", set.lastError().toLocal8Bit().constData());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("QuorKVT"));
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorkvt-demo-club DOCUMENTS-FOLDER\n");
    return 2;
  }
  const QString documents = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(documents);
  if (const QString error = kvt::startUp(QCoreApplication::applicationDirPath() + "/no-program");
      !error.isEmpty()) {
    std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
    return 1;
  }
  using kvt::rsConcurso;
  using kvt::rsConfig;
  using kvt::rsSocios;
  bool ok = true;
  if (rsSocios.recordCount() == 0) {
    ok = add(rsSocios,
             {{"slicencia", "345"}, {"snombre", "GARCIA LOPEZ JUAN"}, {"slicenreloj", "1234"}}) &&
         add(rsSocios,
             {{"slicencia", "346"}, {"snombre", "MARTIN RUIZ ANA"}, {"slicenreloj", QVariant()}}) &&
         add(rsSocios,
             {{"slicencia", "9"}, {"snombre", "O'NEILL PEREZ LUIS"}, {"slicenreloj", "77"}});
  }
  if (ok && rsConcurso.recordCount() == 0) {
    const QDate today = QDate::currentDate();
    ok = add(rsConcurso, {{"cocodigo", "12"},
                          {"conombre", "SUELTA DE TALAVERA"},
                          {"cofecha", today.addDays(3)},
                          {"coenceste", today.addDays(1)}}) &&
         add(rsConcurso, {{"cocodigo", "11"},
                          {"conombre", "SUELTA DE ARANJUEZ"},
                          {"cofecha", today.addDays(-4)},
                          {"coenceste", today.addDays(-6)}});
  }
  if (ok && rsConfig.edit()) {
    rsConfig.setValue("confnosist", "Club Colombófilo de Demostración");
    rsConfig.setValue("confmsdos", documents);
    ok = rsConfig.update();
  }
  ok = ok && kvt::GrabaIni("quorKVT.ini", "COM", "PORT", "1") &&
       kvt::GrabaIni("quorKVT.ini", "PRINTER", "DEFAULT", "1");
  kvt::closeDatabases();
  if (ok) std::printf("%s\n", documents.toLocal8Bit().constData());
  return ok ? 0 : 1;
}
