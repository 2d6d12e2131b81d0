#include "settings_file.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace kvt {

QString settingsFilePath(const QString& fichero) {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
      .filePath(fichero);
}

QString LeeIni(const QString& fichero, const QString& seccion, const QString& clave) {
  const QSettings file(settingsFilePath(fichero), QSettings::IniFormat);
  const QVariant value = file.value(seccion + QLatin1Char('/') + clave);
  // A value with commas reads back as a list; the file holds it as one text.
  const QString text = value.typeId() == QMetaType::QStringList
                           ? value.toStringList().join(QLatin1Char(','))
                           : value.toString();
  return text.left(254);
}

bool GrabaIni(const QString& fichero, const QString& seccion, const QString& clave,
              const QString& valor) {
  QSettings file(settingsFilePath(fichero), QSettings::IniFormat);
  file.setValue(seccion + QLatin1Char('/') + clave, valor);
  file.sync();
  return file.status() == QSettings::NoError;
}

void saveMainGeometry(const QRect& geometry) {
  QSettings settings(QStringLiteral("QuorKVT"), QStringLiteral("QuorKVT"));
  settings.beginGroup(QStringLiteral("Settings"));
  settings.setValue(QStringLiteral("MainLeft"), QString::number(geometry.left()));
  settings.setValue(QStringLiteral("MainTop"), QString::number(geometry.top()));
  settings.setValue(QStringLiteral("MainWidth"), QString::number(geometry.width()));
  settings.setValue(QStringLiteral("MainHeight"), QString::number(geometry.height()));
}

}  // namespace kvt
