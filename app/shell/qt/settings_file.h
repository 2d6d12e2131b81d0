// The program's settings: the settings file "quorKVT.ini" (port and printer choice) and the main
// window's geometry, both in the per-user configuration folder.
#pragma once

#include <QRect>
#include <QString>

namespace kvt {

// The path of a settings file named without a folder: the per-user configuration folder's.
QString settingsFilePath(const QString& fichero);

// The value of clave in seccion of fichero (at most 254 characters); empty when the file, the
// section or the key is missing.
QString LeeIni(const QString& fichero, const QString& seccion, const QString& clave);
// Writes valor under clave in seccion of fichero, creating what is missing; false when the file
// could not be written.
bool GrabaIni(const QString& fichero, const QString& seccion, const QString& clave,
              const QString& valor);

// The main window's outer position and size, as text, under "QuorKVT", section "Settings".
void saveMainGeometry(const QRect& geometry);

}  // namespace kvt
