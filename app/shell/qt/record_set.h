// A record set over one table of a club database: the records of "select * from <table>", in the
// statement's order, with a cursor, finding, reading and changing records. It offers what the
// screens rely on from a database record set and nothing more:
//
//   - a statement "select * from T", "select * from T order by K" or "... order by val(K)", where
//     val orders by the number at the start of the text (none counts as 0);
//   - text orders are Spanish and findFirst ignores letter case (spanish_text.h); equal keys keep
//     the order in which the records were added;
//   - every value that reaches the database is a bound parameter, so any character, an
//     apostrophe too, is an ordinary character.
//
// The same holds on a local file and on a database server: the order and the criteria are the
// program's own on both. A server connection that was lost is opened again at the next operation
// (database_connection.h); a read is then made again, a write is not.
//
// The records are read when the set is opened; update() and remove() write through at once and
// the set then reads its records again, keeping the cursor on the same record. A change or removal
// goes by the record's identity and states the values that were read: when another program has
// changed or removed the record since, nothing is written.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include "table_schema.h"

namespace kvt {

// What findFirst looks for in one text field.
struct Criterion {
  enum class Test {
    Equals,         // the stored value equals the value
    TrimmedEquals,  // the stored value with its blanks trimmed equals the value
    StartsWith,     // the stored value begins with the value (a "like 'value*'" pattern)
  };
  QString field;
  Test test;
  QString value;
};

// A field and its value, for the writes that go by a record's identity.
struct FieldValue {
  QString field;
  QVariant value;
};
using FieldValues = QList<FieldValue>;

// What became of a write that goes by a record's identity. ConnectionLost: the server's connection
// broke while the write was on its way, so it may or may not have been kept.
enum class Written { Done, ChangedElsewhere, RemovedElsewhere, Failed, ConnectionLost };

class RecordSet {
 public:
  // On the database connection of that name. False, with lastError(), on a statement of another
  // form or a failed read; the set is then empty.
  bool open(const QString& connection, const QString& statement);
  // Reads the records again in the same order.
  bool requery();
  void close();

  bool isOpen() const { return table_ != nullptr; }
  int recordCount() const;
  void moveFirst();
  void moveNext();
  bool eof() const;

  // Moves to the first record, in the set's order, that meets the criterion; noMatch() tells
  // when none does (the cursor is then at the end).
  void findFirst(const Criterion& criterion);
  bool noMatch() const { return noMatch_; }

  // The identity of the current record, which is never given to another record; 0 when there is
  // no current record.
  qint64 id() const;

  // A field of the current record (or of the record being added or edited); Null as a null
  // QVariant, a date stored as yyyy-mm-dd as a QDate (any other stored value of a date field, such
  // as the text of an older database, as it is stored), a Yes/No field as a bool.
  QVariant value(const QString& field) const;
  // Sets a field of the record begun with addNew or edit; false outside them or for a field the
  // table does not have.
  bool setValue(const QString& field, const QVariant& value);

  void addNew();
  bool edit();
  bool update();
  void cancelUpdate();
  // Removes the current record; the cursor stays on its place, and moveNext goes on from there.
  bool remove();
  // Removes every record of the table at once; the set is then empty.
  bool removeAll();

  // The writes by identity. wasRead holds the values, as value() gave them, that the record had when
  // it was read (Yes/No fields are not compared); a record that holds other values, or none, is
  // left as it is. The set reads its records again after a write that was done.
  Written change(qint64 id, const FieldValues& wasRead, const FieldValues& values);
  Written remove(qint64 id, const FieldValues& wasRead);
  // Adds a record; its identity, or 0 when it could not be added (written tells why).
  qint64 add(const FieldValues& values, Written* written = nullptr);
  // Adds a record as add does, without reading the set again: for many records at once, after
  // which requery() lists them.
  qint64 insert(const FieldValues& values, Written* written = nullptr);

  // Why the last failed operation failed, in Spanish.
  QString lastError() const { return error_; }

 private:
  struct Row {
    qint64 id = 0;
    QVector<QVariant> values;
    bool removed = false;
  };
  enum class Change { None, Adding, Editing };

  int fieldIndex(const QString& field) const;
  FieldValues fieldsOf(const QVector<QVariant>& values) const;
  // The table's names of the fields and their values as the database takes them; false, with
  // lastError(), for a field the table does not have.
  bool resolve(const FieldValues& values, bool skipYesNo, QStringList& names, QVariantList& bound);
  // The tests "id is ?", "f is ?" ... and their values that find the record as it was read.
  bool stateRead(qint64 id, const FieldValues& wasRead, QStringList& tests, QVariantList& bound);
  Written conflictOf(qint64 id);
  // Before a write: the connection answers, else lastError() tells.
  bool connected();
  // After a failed write: Failed, or ConnectionLost when the server's connection broke.
  Written failedWrite(const QString& what, const QString& reason);
  // what: the operation, with %1 for the table's name.
  bool fail(const QString& what, const QString& reason);
  bool load(qint64 keepId);
  const Row* current() const;

  QString connection_;
  const TableSpec* table_ = nullptr;
  QString orderField_;
  bool numericOrder_ = false;
  QVector<Row> rows_;
  int at_ = 0;
  bool noMatch_ = false;
  Change change_ = Change::None;
  Row buffer_;
  QVector<QVariant> read_;  // the edited record's values as they were read
  QString error_;
};

}  // namespace kvt
