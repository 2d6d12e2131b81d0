#include "databases.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "database_connection.h"
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

// A table made before identities were kept from reuse is made again with the rule, its records
// (every column of them, with their identities) copied over, all or nothing.
QString keepIdentitiesFromReuse(QSqlDatabase& db, const TableSpec& table) {
  const QString name = QLatin1String(table.name);
  QSqlQuery query(db);
  query.prepare(QStringLiteral("select sql from sqlite_master where type = 'table' and name = ?"));
  query.addBindValue(name);
  if (!query.exec() || !query.next()) return query.lastError().text();
  if (query.value(0).toString().contains(QStringLiteral("autoincrement"), Qt::CaseInsensitive))
    return {};
  if (!query.exec(QStringLiteral("pragma table_info(%1)").arg(name))) return query.lastError().text();
  QStringList columns{QStringLiteral("id integer primary key autoincrement")};
  QStringList copied{QStringLiteral("id")};
  QStringList source{QStringLiteral("rowid")};
  while (query.next()) {
    const QString column = query.value(1).toString();
    if (column.compare(QStringLiteral("id"), Qt::CaseInsensitive) == 0) continue;
    columns << QStringLiteral("\"%1\" %2").arg(column, query.value(2).toString());
    copied << QStringLiteral("\"%1\"").arg(column);
    source << QStringLiteral("\"%1\"").arg(column);
  }
  const QString made = name + QStringLiteral("_identidades");
  const QStringList steps{
      QStringLiteral("drop table if exists %1").arg(made),
      QStringLiteral("create table %1 (%2)").arg(made, columns.join(QStringLiteral(", "))),
      QStringLiteral("insert into %1 (%2) select %3 from %4")
          .arg(made, copied.join(QStringLiteral(", ")), source.join(QStringLiteral(", ")), name),
      QStringLiteral("drop table %1").arg(name),
      QStringLiteral("alter table %1 rename to %2").arg(made, name)};
  if (!db.transaction()) return db.lastError().text();
  for (const QString& step : steps) {
    if (!query.exec(step)) {
      const QString error = query.lastError().text();
      db.rollback();
      return error;
    }
  }
  return db.commit() ? QString() : db.lastError().text();
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
    if (const QString error = keepIdentitiesFromReuse(db, *table); !error.isEmpty())
      return cannotUse(path, error);
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

bool registersOnServer = false;

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

QString registerConnection() {
  return registersOnServer ? kServerConnection : kPalConnection;
}

QString openRegisters(const ServerSettings& settings) {
  closeServer(kServerConnection);
  registersOnServer = settings.useServer;
  return registersOnServer ? openServer(kServerConnection, settings) : QString();
}

QString openSharedRecordSets() {
  struct Shared {
    RecordSet& set;
    QString connection;
    const char* statement;
  };
  for (const Shared& shared :
       {Shared{rsConfig, kConfigConnection, "select * from config"},
        Shared{rsSocios, registerConnection(), "select * from socios order by slicencia"},
        Shared{rsConcurso, registerConnection(), "select * from concurso order by cocodigo"},
        Shared{rsPaloma, kPalConnection, "select * from Paloma order by panilla"}}) {
    // A server that could not be used at the start is not asked again here.
    if (onServer(shared.connection) && !QSqlDatabase::database(shared.connection, false).isOpen())
      continue;
    if (!shared.set.open(shared.connection, QLatin1String(shared.statement)))
      return shared.set.lastError();
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
  closeServer(kServerConnection);
  registersOnServer = false;
  for (const QString& connection : {kConfigConnection, kPalConnection}) {
    if (QSqlDatabase::contains(connection)) {
      QSqlDatabase::database(connection, false).close();
      QSqlDatabase::removeDatabase(connection);
    }
  }
}

}  // namespace kvt
