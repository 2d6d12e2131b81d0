// The club's two databases in the data folder: config.db (the configuration record) and pal.db
// (members, contests, the scratch pigeon table), and the record sets that every screen shares.
#pragma once

#include <QString>

#include "record_set.h"
#include "register_server.h"

namespace kvt {

inline const QString kConfigConnection = QStringLiteral("dbConfig");
inline const QString kPalConnection = QStringLiteral("dbPal");

inline RecordSet rsConfig;    // "select * from config": the configuration record
inline RecordSet rsSocios;    // "select * from socios order by slicencia", where the registers are
inline RecordSet rsConcurso;  // "select * from concurso order by cocodigo", where the registers are
inline RecordSet rsPaloma;    // "select * from Paloma order by panilla"

// Opens both databases in folder (ending in "/"). On the first start, when a file does not exist,
// it is created with its tables, and config.db with its single record. A file that exists but
// cannot be opened or read is left as it is, and the message names it. Empty when all is well.
QString openDatabases(const QString& folder);

// The connection of the member and contest registers: pal.db's, or the server's when the settings
// chose one (register_server.h).
QString registerConnection();

// Puts the registers where the settings say, after openDatabases. Empty when they can be used
// now; else why not: the program goes on, and the registers try again at their next use.
QString openRegisters(const ServerSettings& settings);

// Opens the four shared record sets; the message tells what failed. On a server that cannot be
// used now, the two register sets stay closed (openRegisters told why).
QString openSharedRecordSets();

// Empties the scratch table Paloma, record after record.
QString emptyPaloma();

// Closes the record sets, both databases and the server's connection.
void closeDatabases();

}  // namespace kvt
