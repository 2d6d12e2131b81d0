// A second connection to the club's member and contest database file, as another copy of the
// program running on the same data has.
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace kvt::testing {

class OtherProgram {
 public:
  explicit OtherProgram(const QString& dataFolder) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(dataFolder + QStringLiteral("pal.db"));
    db.open();
  }
  ~OtherProgram() {
    QSqlDatabase::database(kConnection, false).close();
    QSqlDatabase::removeDatabase(kConnection);
  }
  OtherProgram(const OtherProgram&) = delete;
  OtherProgram& operator=(const OtherProgram&) = delete;

  static inline const QString kConnection = QStringLiteral("otherProgram");
};

}  // namespace kvt::testing
