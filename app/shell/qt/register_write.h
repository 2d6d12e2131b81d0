// What the member and contest registers share: the outcome of adding, changing or removing a
// record, which goes by the record's identity and names the values it was listed with.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "record_set.h"

namespace kvt {

struct Saved {
  std::int64_t id = 0;  // the record added or changed
  QString refusal;      // why nothing was written, in Spanish; empty when it was
  bool listAgain = false;  // another program changed or removed the record: the list is stale
  bool done() const { return refusal.isEmpty(); }
};

// The shape the member and the contest register share: their table on one database connection,
// listed into a record set of their own and written by identity.
class TableRegister {
 public:
  QString error() const { return set_.lastError(); }
  // The database connection the register lives on, for a transaction around many writes.
  const QString& connection() const { return connection_; }

 protected:
  TableRegister(QString connection, QString table)
      : connection_(std::move(connection)), table_(std::move(table)) {}

  // Opens "select * from <table>", with " order by <order>" when one is given.
  bool open(RecordSet& set, const QString& order = {}) const;
  // record names the record in a message ("El socio 77").
  Saved addRecord(const FieldValues& values);
  // Adds a record without reading the list again (many records in one transaction).
  Saved insertRecord(const FieldValues& values);
  Saved changeRecord(std::int64_t id, const FieldValues& listed, const FieldValues& values,
                     const QString& record);
  Saved removeRecord(std::int64_t id, const FieldValues& listed, const QString& record);
  Saved removeAllRecords();

  RecordSet set_;  // the table as last listed

 private:
  bool ready();
  // Adds a record, reading the list again afterwards or not.
  Saved putRecord(const FieldValues& values, bool readAgain);

  QString connection_;
  QString table_;
};

// The record of that identity in a register's list, or none.
template <typename Record>
const Record* findById(const std::vector<Record>& records, std::int64_t id) {
  for (const Record& record : records) {
    if (record.id == id) return &record;
  }
  return nullptr;
}

// A code or licence as the reading screen looks it up: trimmed, cut to five characters, trimmed
// again.
QString lookupKey(const QString& typed);

}  // namespace kvt
