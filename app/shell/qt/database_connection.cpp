#include "database_connection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <map>

namespace kvt {

namespace {

struct Opening {
  OpeningCheck check;
  QString whyNot;
  bool inTransaction = false;
  bool lostInTransaction = false;
};

const QString kLostInTransaction = QStringLiteral(
    "Se ha perdido la conexión con el servidor de datos en medio de una operación que se guarda "
    "entera o nada: no se ha guardado nada de ella.");

std::map<QString, Opening>& openings() {
  static std::map<QString, Opening> all;
  return all;
}

bool answers(QSqlDatabase& db) {
  QSqlQuery query(db);
  return db.isOpen() && query.exec(QStringLiteral("select 1"));
}

// Opens the connection again and looks at its database.
bool reopen(const QString& connection, QSqlDatabase& db) {
  Opening& opening = openings()[connection];
  if (opening.inTransaction) {
    // A new connection would write the rest of the operation on its own: the operation fails.
    opening.lostInTransaction = true;
    opening.whyNot = kLostInTransaction;
    return false;
  }
  db.close();
  if (!db.open()) {
    // What the driver says is in English and for whoever keeps the server: it goes last.
    opening.whyNot = QStringLiteral(
                         "No hay conexión con el servidor de datos %1.\n"
                         "Lo escrito en la pantalla se conserva; vuelva a intentarlo cuando el "
                         "servidor responda.\nDetalle técnico: %2")
                         .arg(db.hostName(), db.lastError().text().simplified());
    return false;
  }
  opening.whyNot = opening.check ? opening.check(connection) : QString();
  if (opening.whyNot.isEmpty()) return true;
  db.close();
  return false;
}

}  // namespace

void checkEachOpening(const QString& connection, OpeningCheck check) {
  openings()[connection] = {std::move(check), {}, false, false};
}

void forgetOpeningCheck(const QString& connection) {
  openings().erase(connection);
}

QString whyNotOpen(const QString& connection) {
  const auto opening = openings().find(connection);
  return opening != openings().end() ? opening->second.whyNot : QString();
}

bool onServer(const QString& connection) {
  return QSqlDatabase::database(connection, false).driverName() == QLatin1String("QPSQL");
}

bool keepConnected(const QString& connection, QString* why) {
  QSqlDatabase db = QSqlDatabase::database(connection, false);
  if (!onServer(connection) || answers(db) || reopen(connection, db)) return true;
  if (why != nullptr) *why = whyNotOpen(connection);
  return false;
}

bool connectionLost(const QString& connection) {
  QSqlDatabase db = QSqlDatabase::database(connection, false);
  if (!onServer(connection) || answers(db)) return false;
  reopen(connection, db);
  return true;
}

Transaction::Transaction(const QString& connection) : connection_(connection) {
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  active_ = db.transaction();
  if (!active_) error_ = db.lastError().text();
  Opening& opening = openings()[connection_];
  opening.inTransaction = active_;
  opening.lostInTransaction = false;
}

Transaction::~Transaction() {
  if (active_) QSqlDatabase::database(connection_, false).rollback();
  Opening& opening = openings()[connection_];
  opening.inTransaction = false;
  opening.lostInTransaction = false;
}

bool Transaction::commit() {
  if (!active_) return false;
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  active_ = false;
  openings()[connection_].inTransaction = false;
  if (openings()[connection_].lostInTransaction) {
    error_ = kLostInTransaction;
    return false;
  }
  if (db.commit()) return true;
  error_ = db.lastError().text();
  db.rollback();
  return false;
}

}  // namespace kvt
