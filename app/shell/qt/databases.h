// The club's two databases in the data folder: config.db (the configuration record) and pal.db
// (members, contests, the scratch pigeon table), and the record sets that every screen shares.
#pragma once

#include <QString>

#include "record_set.h"

namespace kvt {

inline const QString kConfigConnection = QStringLiteral("dbConfig");
inline const QString kPalConnection = QStringLiteral("dbPal");

inline RecordSet rsConfig;    // "select * from config": the configuration record
inline RecordSet rsSocios;    // "select * from socios order by slicencia"
inline RecordSet rsConcurso;  // "select * from concurso order by cocodigo"
inline RecordSet rsPaloma;    // "select * from Paloma order by panilla"

// Opens both databases in folder (ending in "/"). On the first start, when a file does not exist,
// it is created with its tables, and config.db with its single record. A file that exists but
// cannot be opened or read is left as it is, and the message names it. Empty when all is well.
QString openDatabases(const QString& folder);

// Opens the four shared record sets; the message tells what failed.
QString openSharedRecordSets();

// Empties the scratch table Paloma, record after record.
QString emptyPaloma();

// Closes the record sets and both databases.
void closeDatabases();

}  // namespace kvt
