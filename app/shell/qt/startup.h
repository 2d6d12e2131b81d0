// The start of the program, before its main window shows: the data folders, the two databases
// and the record sets every screen shares, the emptied scratch table, and the port and printer
// settings.
#pragma once

#include <QString>

namespace kvt {

// The folder that holds Datos: the program's own when it has one (a portable installation), else
// the per-user data folder, so that a program installed in a read-only folder works.
QString applicationFolder(const QString& programFolder);

// Runs the start; empty when it went well, else the message that stops it.
QString startUp(const QString& programFolder);

// The main window's caption: the system name of the configuration and the version.
QString mainCaption();

// The COM port setting as the program keeps it: the number typed, blanks trimmed.
QString portSetting(const QString& text);

}  // namespace kvt
