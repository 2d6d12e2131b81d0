// A second connection to where the club keeps its members and contests (its file, or its server),
// as another copy of the program, on this PC or another, has.
#pragma once

#include <QSqlDatabase>
#include <QString>

#include "databases.h"

namespace kvt::testing {

class OtherProgram {
 public:
  OtherProgram() { QSqlDatabase::cloneDatabase(registerConnection(), kConnection).open(); }
  ~OtherProgram() {
    QSqlDatabase::database(kConnection, false).close();
    QSqlDatabase::removeDatabase(kConnection);
  }
  OtherProgram(const OtherProgram&) = delete;
  OtherProgram& operator=(const OtherProgram&) = delete;

  static inline const QString kConnection = QStringLiteral("otherProgram");
};

}  // namespace kvt::testing
