// Where the member and contest registers live: in the local file pal.db (the default, with no
// set-up), or in a PostgreSQL database on a server that every PC of the club uses. The scratch
// table Paloma and the configuration record stay in each PC's own files either way.
//
// The choice lives in "quorKVT.ini", section "SERVIDOR". The password never does: without one
// typed in this run, libpq's own password file is used (PGPASSFILE, or ~/.pgpass; on Windows
// %APPDATA%\postgresql\pgpass.conf).
#pragma once

#include <QString>

namespace kvt {

struct ServerSettings {
  bool useServer = false;  // "Servidor"; else "Local"
  QString host;            // a name, an address, or the folder of a Unix socket
  int port = 5432;
  QString database;
  QString user;
};

ServerSettings readServerSettings();
// False when the settings file could not be written.
bool saveServerSettings(const ServerSettings& settings);

// The password typed in this run, kept in memory only; empty for libpq's password file. The
// registers' connection takes it at its next opening.
void setServerPassword(const QString& password);
QString serverPassword();

inline const QString kServerConnection = QStringLiteral("dbServidor");

// Adds the connection of that name to the server, with the password of this run, and opens it:
// the register tables are made on an empty database, and a database that holds them in another
// shape is refused. Each later opening, after a lost connection, looks again. Empty when the
// connection is open; else why not, in Spanish (the connection stays, and is tried again at its
// next use).
QString openServer(const QString& connection, const ServerSettings& settings);
// Closes and removes the connection.
void closeServer(const QString& connection);

// What the server's database holds, told for the "Probar" button: whether the server answers
// and whether the tables are there. Opens a connection of its own.
QString testServer(const ServerSettings& settings);

// Copies the members and contests of the local file (on that connection) to the server once,
// all or nothing, in the order they were added; refused when the server already holds any.
// The message tells what was done.
QString copyLocalRegisters(const QString& localConnection, const ServerSettings& settings);

}  // namespace kvt
