#include "register_server.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <map>
#include <vector>

#include "database_connection.h"
#include "settings_file.h"
#include "table_schema.h"

namespace kvt {

namespace {

const QString kFile = QStringLiteral("quorKVT.ini");
const QString kSection = QStringLiteral("SERVIDOR");

QString& password() {
  static QString typed;
  return typed;
}

void addConnection(const QString& connection, const ServerSettings& settings) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
  db.setHostName(settings.host);
  db.setPort(settings.port);
  db.setDatabaseName(settings.database);
  db.setUserName(settings.user);
  db.setPassword(password());
  // A server that does not answer is told within seconds, and a connection whose network went
  // away is noticed while it waits, instead of hanging the screen.
  db.setConnectOptions(QStringLiteral(
      "connect_timeout=5;keepalives_idle=10;keepalives_interval=3;keepalives_count=3;"
      "application_name=QuorKVT"));
}

// The register tables found on the server, by name, with their columns in order.
std::map<QString, std::vector<ServerColumn>> tablesFound(QSqlDatabase& db, QString* error) {
  QSqlQuery query(db);
  std::map<QString, std::vector<ServerColumn>> found;
  if (!query.exec(QStringLiteral(
          "select table_name, column_name, data_type, coalesce(collation_name, ''), is_identity "
          "from information_schema.columns "
          "where table_schema = current_schema() and table_name in ('socios', 'concurso') "
          "order by table_name, ordinal_position"))) {
    *error = query.lastError().text();
    return found;
  }
  while (query.next()) {
    found[query.value(0).toString()].push_back(
        {query.value(1).toString(), query.value(2).toString(), query.value(3).toString(),
         query.value(4).toString() == QLatin1String("YES")});
  }
  return found;
}

QString describe(const std::vector<ServerColumn>& columns) {
  QStringList described;
  for (const ServerColumn& column : columns) described << column.name + QLatin1Char(' ') + column.type;
  return described.join(QStringLiteral(", "));
}

enum class Holds { Tables, Nothing, OtherShape, Unknown };

// What the database holds of the register tables; text names what is wrong.
Holds examine(QSqlDatabase& db, QString* text, std::vector<const TableSpec*>* missing) {
  QString error;
  const auto found = tablesFound(db, &error);
  if (!error.isEmpty()) {
    *text = error;
    return Holds::Unknown;
  }
  for (const TableSpec* table : registerTables()) {
    const QString name = QLatin1String(table->name);
    const auto columns = found.find(name);
    if (columns == found.end()) {
      if (missing != nullptr) missing->push_back(table);
    } else if (columns->second != serverColumns(*table)) {
      *text = QStringLiteral(
                  "La base de datos %1 del servidor tiene una tabla %2 de otra forma (%3), que no "
                  "es la de los registros del programa (%4). El programa no la usa ni la "
                  "modifica: elija otra base de datos, o una vacía, en la que el programa creará "
                  "sus tablas.")
                  .arg(db.databaseName(), name, describe(columns->second),
                       describe(serverColumns(*table)));
      return Holds::OtherShape;
    }
  }
  return found.empty() ? Holds::Nothing : Holds::Tables;
}

// The check of each opening: makes the tables that are missing, refuses another shape.
QString prepareTables(const QString& connection) {
  QSqlDatabase db = QSqlDatabase::database(connection, false);
  QString text;
  std::vector<const TableSpec*> missing;
  const Holds holds = examine(db, &text, &missing);
  if (holds == Holds::OtherShape) return text;
  if (holds == Holds::Unknown)
    return QStringLiteral("No se pueden leer las tablas del servidor: %1").arg(text);
  if (missing.empty()) return {};
  Transaction transaction(connection);
  QSqlQuery query(db);
  for (const TableSpec* table : missing) {
    if (!query.exec(serverCreateStatement(*table)))
      return QStringLiteral("No se pueden crear las tablas en el servidor: %1")
          .arg(query.lastError().text());
  }
  if (!transaction.commit())
    return QStringLiteral("No se pueden crear las tablas en el servidor: %1")
        .arg(transaction.error());
  return {};
}

// A connection of its own for the test and the copy, removed when left.
class OwnConnection {
 public:
  explicit OwnConnection(const QString& name, const ServerSettings& settings) : name_(name) {
    addConnection(name_, settings);
  }
  ~OwnConnection() {
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
  }
  OwnConnection(const OwnConnection&) = delete;
  OwnConnection& operator=(const OwnConnection&) = delete;
  QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
  const QString& name() const { return name_; }

 private:
  QString name_;
};

QString noAnswer(const QSqlDatabase& db) {
  return QStringLiteral("El servidor no responde, o no acepta la conexión: %1")
      .arg(db.lastError().text().trimmed());
}

}  // namespace

ServerSettings readServerSettings() {
  ServerSettings settings;
  settings.useServer =
      LeeIni(kFile, kSection, QStringLiteral("REGISTROS")) == QLatin1String("Servidor");
  settings.host = LeeIni(kFile, kSection, QStringLiteral("HOST"));
  const int port = LeeIni(kFile, kSection, QStringLiteral("PUERTO")).toInt();
  if (port > 0) settings.port = port;
  settings.database = LeeIni(kFile, kSection, QStringLiteral("BASEDATOS"));
  settings.user = LeeIni(kFile, kSection, QStringLiteral("USUARIO"));
  return settings;
}

bool saveServerSettings(const ServerSettings& settings) {
  return GrabaIni(kFile, kSection, QStringLiteral("REGISTROS"),
                  settings.useServer ? QStringLiteral("Servidor") : QStringLiteral("Local")) &&
         GrabaIni(kFile, kSection, QStringLiteral("HOST"), settings.host) &&
         GrabaIni(kFile, kSection, QStringLiteral("PUERTO"), QString::number(settings.port)) &&
         GrabaIni(kFile, kSection, QStringLiteral("BASEDATOS"), settings.database) &&
         GrabaIni(kFile, kSection, QStringLiteral("USUARIO"), settings.user);
}

void setServerPassword(const QString& typed) {
  password() = typed;
  // The registers' connection uses it from its next opening on, without a new start.
  if (QSqlDatabase::contains(kServerConnection))
    QSqlDatabase::database(kServerConnection, false).setPassword(typed);
}

QString serverPassword() {
  return password();
}

QString openServer(const QString& connection, const ServerSettings& settings) {
  closeServer(connection);
  addConnection(connection, settings);
  checkEachOpening(connection, prepareTables);
  QString why;
  return keepConnected(connection, &why) ? QString() : why;
}

void closeServer(const QString& connection) {
  forgetOpeningCheck(connection);
  if (!QSqlDatabase::contains(connection)) return;
  QSqlDatabase::database(connection, false).close();
  QSqlDatabase::removeDatabase(connection);
}

QString testServer(const ServerSettings& settings) {
  OwnConnection own(QStringLiteral("dbPrueba"), settings);
  QSqlDatabase db = own.db();
  if (!db.open()) return noAnswer(db);
  QString text;
  switch (examine(db, &text, nullptr)) {
    case Holds::Tables:
      return QStringLiteral("El servidor responde y las tablas de los registros están en la base "
                            "de datos %1.")
          .arg(settings.database);
    case Holds::Nothing:
      return QStringLiteral("El servidor responde. La base de datos %1 aún no tiene las tablas de "
                            "los registros: el programa las creará al usarla.")
          .arg(settings.database);
    case Holds::OtherShape:
      return QStringLiteral("El servidor responde, pero no se puede usar la base de datos.\n") +
             text;
    case Holds::Unknown:
      break;
  }
  return QStringLiteral("El servidor responde, pero no se pueden leer sus tablas: %1").arg(text);
}

QString copyLocalRegisters(const QString& localConnection, const ServerSettings& settings) {
  OwnConnection server(QStringLiteral("dbCopia"), settings);
  if (!server.db().open()) return noAnswer(server.db());
  if (const QString refusal = prepareTables(server.name()); !refusal.isEmpty()) return refusal;
  const QString nothing = QStringLiteral("\nNo se ha copiado nada.");
  Transaction transaction(server.name());
  if (!transaction.begun()) return transaction.error() + nothing;
  // Locked until the copy is kept or undone: two PCs copying at once cannot both find the server
  // empty.
  QSqlQuery count(server.db());
  if (!count.exec(QStringLiteral("lock table socios, concurso in exclusive mode")))
    return count.lastError().text() + nothing;
  QStringList held;
  for (const TableSpec* table : registerTables()) {
    if (!count.exec(QStringLiteral("select count(*) from %1").arg(QLatin1String(table->name))) ||
        !count.next())
      return count.lastError().text() + nothing;
    if (count.value(0).toLongLong() > 0)
      held << QStringLiteral("%1 en la tabla %2").arg(count.value(0).toString(),
                                                       QLatin1String(table->name));
  }
  if (!held.isEmpty())
    return QStringLiteral("El servidor ya tiene registros (%1): no se copian los de este PC, para "
                          "no mezclarlos ni escribir encima.")
               .arg(held.join(QStringLiteral(", "))) +
           nothing;
  QStringList copied;
  for (const TableSpec* table : registerTables()) {
    QStringList names;
    for (const FieldSpec& field : table->fields) names << QLatin1String(field.name);
    QSqlQuery read(QSqlDatabase::database(localConnection, false));
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("select %1 from %2 order by id")
                       .arg(names.join(QStringLiteral(", ")), QLatin1String(table->name))))
      return read.lastError().text() + nothing;
    QSqlQuery write(server.db());
    write.prepare(QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(QLatin1String(table->name), names.join(QStringLiteral(", ")),
                           QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
    int records = 0;
    while (read.next()) {
      // Every register field is text on the server; what the file holds goes over as it is.
      for (int i = 0; i < names.size(); ++i) {
        const QVariant value = read.value(i);
        write.bindValue(i, value.isNull() ? QVariant() : QVariant(value.toString()));
      }
      if (!write.exec()) return write.lastError().text() + nothing;
      ++records;
    }
    copied << QStringLiteral("%1 en la tabla %2").arg(records).arg(QLatin1String(table->name));
  }
  if (!transaction.commit()) return transaction.error() + nothing;
  return QStringLiteral("Se han copiado al servidor los registros de este PC: %1.")
      .arg(copied.join(QStringLiteral(", ")));
}

}  // namespace kvt
