// A record set over one table of a club database: the records of "select * from <table>", in the
// statement's order, with a cursor, finding, reading and changing records. It offers what the
// screens rely on from a database record set and nothing more:
//
//   - a statement "select * from T", "select * from T order by K" or "... order by val(K)", where
//     val orders by the number at the start of the text (none counts as 0);
//   - text comparisons, in orders and in findFirst, ignore letter case;
//   - every value that reaches the database is a bound parameter, so any character, an
//     apostrophe too, is an ordinary character.
//
// The records are read when the set is opened; update() and remove() write through at once and
// the set then reads its records again, keeping the cursor on the same record.
#pragma once

#include <QString>
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

  // A field of the current record (or of the record being added or edited); Null as a null
  // QVariant, a date as a QDate, a Yes/No field as a bool.
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
  // what: the operation, with %1 for the table's name.
  bool fail(const QString& what, const QString& reason);
  bool read(qint64 keepId);
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
  QString error_;
};

}  // namespace kvt
