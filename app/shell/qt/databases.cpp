#include "databases.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "table_schema.h"

namespace kvt {

namespace {

QString cannotUse(const QString& path, const QString& reason) {
  return QStringLiteral(
             "No se puede usar la base de datos %1: %2.\n"
             "El programa no puede empezar. El archivo no se ha modificado; compruebe que existe, "
             "que no lo usa otro programa y que tiene permiso para leerlo y escribirlo.")
      .arg(path, reason);
}

QString openOne(const QString& connection, const QString& path,
                const std::vector<const TableSpec*>& tables, bool configRecord) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
  db.setDatabaseName(path);
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
  if (!db.open()) return cannotUse(path, db.lastError().text());
  QSqlQuery query(db);
  // Reading the catalogue tells a database from a damaged or foreign file before anything is
  // written into it.
  if (!query.exec(QStringLiteral("select count(*) from sqlite_master"))) {
    return cannotUse(path, query.lastError().text());
  }
  for (const TableSpec* table : tables) {
    if (!query.exec(createStatement(*table))) return cannotUse(path, query.lastError().text());
  }
  if (configRecord && query.exec(QStringLiteral("select count(*) from config")) && query.next() &&
      query.value(0).toInt() == 0) {
    // The first start: contests by code, members by licence, arrivals as basketing.
    if (!query.exec(QStringLiteral(
            "insert into config (confnosist, confmsdos, confcocon, confnocon, confcosoc, "
            "confnosoc, confcoclu, confnoclu) values ('QuorKVT', '', 1, 0, 1, 0, 1, 0)"))) {
      return cannotUse(path, query.lastError().text());
    }
  }
  if (query.lastError().isValid()) return cannotUse(path, query.lastError().text());
  return {};
}

}  // namespace

QString openDatabases(const QString& folder) {
  closeDatabases();
  QString error =
      openOne(kConfigConnection, folder + QStringLiteral("config.db"), {&configTable()}, true);
  if (error.isEmpty()) {
    error = openOne(kPalConnection, folder + QStringLiteral("pal.db"),
                    {&sociosTable(), &concursoTable(), &palomaTable()}, false);
  }
  if (!error.isEmpty()) closeDatabases();
  return error;
}

QString openSharedRecordSets() {
  struct Shared {
    RecordSet& set;
    const QString& connection;
    const char* statement;
  };
  for (const Shared& shared :
       {Shared{rsConfig, kConfigConnection, "select * from config"},
        Shared{rsSocios, kPalConnection, "select * from socios order by slicencia"},
        Shared{rsConcurso, kPalConnection, "select * from concurso order by cocodigo"},
        Shared{rsPaloma, kPalConnection, "select * from Paloma order by panilla"}}) {
    if (!shared.set.open(shared.connection, QLatin1String(shared.statement))) {
      return shared.set.lastError();
    }
  }
  return {};
}

QString emptyPaloma() {
  if (rsPaloma.recordCount() == 0) return {};
  for (rsPaloma.moveFirst(); !rsPaloma.eof(); rsPaloma.moveNext()) {
    if (!rsPaloma.remove()) return rsPaloma.lastError();
  }
  return {};
}

void closeDatabases() {
  for (RecordSet* set : {&rsConfig, &rsSocios, &rsConcurso, &rsPaloma}) set->close();
  for (const QString& connection : {kConfigConnection, kPalConnection}) {
    if (QSqlDatabase::contains(connection)) {
      QSqlDatabase::database(connection, false).close();
      QSqlDatabase::removeDatabase(connection);
    }
  }
}

}  // namespace kvt
