// What the record sets need of a database connection beyond its statements: whether it is a
// server's, keeping a server connection that was lost usable, and writes made all or nothing.
// A local file's connection is never lost; a server's is when the server restarts or the network
// fails, and it is opened again at the next use instead of needing a new start of the program.
#pragma once

#include <QString>
#include <functional>

namespace kvt {

// Looks at the database behind a connection each time it is opened: empty when it may be used,
// else why not (the connection is then closed again).
using OpeningCheck = std::function<QString(const QString& connection)>;
void checkEachOpening(const QString& connection, OpeningCheck check);
// Forgets the check, when the connection is removed.
void forgetOpeningCheck(const QString& connection);

// The connection of that name goes to a database server (else to a local file).
bool onServer(const QString& connection);

// True when the connection answers, after opening it again if it was lost (or never opened); else
// false with why, in Spanish, and nothing was done on it.
bool keepConnected(const QString& connection, QString* why);

// The connection, given a failed statement, has been lost: it is then opened again at once when
// the server answers, for the next use.
bool connectionLost(const QString& connection);

// Why the connection is not open, in Spanish: the server did not answer, or what the check found.
QString whyNotOpen(const QString& connection);

// Writes on one connection that are kept all or none: begun when made, undone when left without
// commit(). Any driver that knows transactions. A server connection lost meanwhile is not opened
// again until the transaction is left, and commit() then fails: nothing of it was kept.
class Transaction {
 public:
  explicit Transaction(const QString& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  bool begun() const { return active_; }
  // Keeps every write; false, with error(), when the database refused, and then none is kept.
  bool commit();
  QString error() const { return error_; }

 private:
  QString connection_;
  bool active_ = false;
  QString error_;
};

}  // namespace kvt
