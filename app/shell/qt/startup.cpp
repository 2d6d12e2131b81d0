#include "startup.h"

#include <QDate>
#include <QDir>
#include <QStandardPaths>

#include "app_state.h"
#include "databases.h"
#include "messages.h"
#include "settings_file.h"

namespace kvt {

QString applicationFolder(const QString& programFolder) {
  if (QDir(programFolder).exists(QStringLiteral("Datos"))) return programFolder;
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString startUp(const QString& programFolder) {
  rutaApp = applicationFolder(programFolder);
  rutaDatos = rutaApp + QStringLiteral("/Datos/");
  rutaBase = rutaApp + QStringLiteral("/");
  anyo = QDate::currentDate().toString(QStringLiteral("yy"));
  if (!QDir().mkpath(rutaDatos)) {
    return QStringLiteral(
               "No se puede crear la carpeta de datos %1.\nEl programa no puede empezar.")
        .arg(QDir::toNativeSeparators(rutaDatos));
  }
  QString error = openDatabases(rutaDatos);
  if (error.isEmpty()) {
    // A server that cannot be used now does not stop the program: it is told, and the registers
    // try again at their next use.
    if (const QString notice = openRegisters(readServerSettings()); !notice.isEmpty())
      showWarning(nullptr, notice, QStringLiteral("Aviso"));
    error = openSharedRecordSets();
  }
  if (error.isEmpty()) error = emptyPaloma();
  if (!error.isEmpty()) return error;
  puertoCom = portSetting(
      LeeIni(QStringLiteral("quorKVT.ini"), QStringLiteral("COM"), QStringLiteral("PORT")));
  pedirImpresora =
      LeeIni(QStringLiteral("quorKVT.ini"), QStringLiteral("PRINTER"), QStringLiteral("DEFAULT"));
  return {};
}

QString mainCaption() {
  return rsConfig.value(QStringLiteral("confnosist")).toString() +
         QStringLiteral("              V 10.2.1");
}

QString portSetting(const QString& text) {
  return text.trimmed();
}

}  // namespace kvt
