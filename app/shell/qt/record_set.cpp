#include "record_set.h"

#include <QDate>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>

#include "ansi_text.h"
#include "database_connection.h"
#include "fixed_text.h"
#include "spanish_order.h"

namespace kvt {

namespace {

QVariant fromDatabase(const QVariant& stored, FieldType type) {
  if (stored.isNull()) return {};
  switch (type) {
    case FieldType::Text:
      return stored.toString();
    case FieldType::Date: {
      // What the program writes reads as a date; anything else is kept as it is, never lost.
      const QString text = stored.toString();
      const QDate date = text.size() == 10 ? QDate::fromString(text, Qt::ISODate) : QDate();
      return date.isValid() ? QVariant(date) : stored;
    }
    case FieldType::YesNo:
      return stored.toInt() != 0;
  }
  return {};
}

QVariant toDatabase(const QVariant& value, FieldType type) {
  if (value.isNull()) return {};
  switch (type) {
    case FieldType::Text: {
      // An empty text is stored as one, not as Null.
      const QString text = value.toString();
      return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
    }
    case FieldType::Date: {
      if (value.typeId() != QMetaType::QDate) return value;
      const QDate date = value.toDate();
      return date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant();
    }
    case FieldType::YesNo:
      return value.toBool() ? 1 : 0;
  }
  return {};
}

// What val() of a text gives: the number at its start, blanks skipped; none gives 0.
double leadingValue(const QVariant& value) {
  return QString::fromStdString(numberText(toAnsi(value.toString()))).toDouble();
}

bool matches(const QVariant& stored, const Criterion& criterion) {
  const QString text = stored.toString();
  switch (criterion.test) {
    case Criterion::Test::Equals:
      return equalsIgnoringCase(text, criterion.value);
    case Criterion::Test::TrimmedEquals:
      return equalsIgnoringCase(text.trimmed(), criterion.value);
    case Criterion::Test::StartsWith:
      return startsWithSpanish(text, criterion.value);
  }
  return false;
}

// A test that Null meets Null too, which "=" does not.
QString sameAs(const QString& connection) {
  return onServer(connection) ? QStringLiteral(" is not distinct from ?") : QStringLiteral(" is ?");
}

}  // namespace

bool RecordSet::open(const QString& connection, const QString& statement) {
  close();
  static const QRegularExpression form(
      QStringLiteral(
          R"(^\s*select\s+\*\s+from\s+(\w+)(?:\s+order\s+by\s+(?:val\s*\(\s*(\w+)\s*\)|(\w+)))?\s*$)"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = form.match(statement);
  const TableSpec* table = match.hasMatch() ? findTable(match.captured(1)) : nullptr;
  if (table == nullptr) return fail(QStringLiteral("abrir la consulta"), statement);
  connection_ = connection;
  table_ = table;
  numericOrder_ = match.hasCaptured(2);
  orderField_ = numericOrder_ ? match.captured(2) : match.captured(3);
  if (!orderField_.isEmpty() && fieldIndex(orderField_) < 0) {
    close();
    return fail(QStringLiteral("abrir la consulta"), statement);
  }
  return load(0);
}

bool RecordSet::requery() {
  const Row* row = current();
  return isOpen() && load(row != nullptr ? row->id : 0);
}

void RecordSet::close() {
  table_ = nullptr;
  rows_.clear();
  at_ = 0;
  noMatch_ = false;
  change_ = Change::None;
}

int RecordSet::recordCount() const {
  return static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](const Row& row) { return !row.removed; }));
}

void RecordSet::moveFirst() {
  at_ = 0;
  while (at_ < rows_.size() && rows_[at_].removed) ++at_;
}

void RecordSet::moveNext() {
  if (at_ < rows_.size()) ++at_;
  while (at_ < rows_.size() && rows_[at_].removed) ++at_;
}

bool RecordSet::eof() const {
  return at_ >= rows_.size();
}

void RecordSet::findFirst(const Criterion& criterion) {
  const int field = fieldIndex(criterion.field);
  for (at_ = 0; field >= 0 && at_ < rows_.size(); ++at_) {
    if (!rows_[at_].removed && matches(rows_[at_].values[field], criterion)) {
      noMatch_ = false;
      return;
    }
  }
  at_ = static_cast<int>(rows_.size());
  noMatch_ = true;
}

bool RecordSet::setValue(const QString& field, const QVariant& value) {
  const int index = fieldIndex(field);
  if (change_ == Change::None || index < 0) return false;
  buffer_.values[index] =
      fromDatabase(toDatabase(value, table_->fields[index].type), table_->fields[index].type);
  return true;
}

void RecordSet::addNew() {
  if (!isOpen()) return;
  buffer_ = Row{0, QVector<QVariant>(static_cast<int>(table_->fields.size())), false};
  change_ = Change::Adding;
}

bool RecordSet::edit() {
  const Row* row = current();
  if (row == nullptr)
    return fail(QStringLiteral("modificar un registro de la tabla %1"),
                QStringLiteral("no hay registro actual"));
  buffer_ = *row;
  read_ = row->values;
  change_ = Change::Editing;
  return true;
}

QVariant RecordSet::value(const QString& field) const {
  const int index = fieldIndex(field);
  const Row* row = change_ != Change::None ? &buffer_ : current();
  return index >= 0 && row != nullptr ? row->values[index] : QVariant();
}

qint64 RecordSet::id() const {
  const Row* row = current();
  return row != nullptr ? row->id : 0;
}

bool RecordSet::update() {
  if (change_ == Change::None)
    return fail(QStringLiteral("grabar en la tabla %1"),
                QStringLiteral("no se ha empezado ningún cambio"));
  const bool adding = change_ == Change::Adding;
  change_ = Change::None;
  if (adding) return add(fieldsOf(buffer_.values)) != 0;
  return change(buffer_.id, fieldsOf(read_), fieldsOf(buffer_.values)) == Written::Done;
}

void RecordSet::cancelUpdate() {
  change_ = Change::None;
}

bool RecordSet::remove() {
  const Row* row = current();
  if (row == nullptr)
    return fail(QStringLiteral("borrar en la tabla %1"), QStringLiteral("no hay registro actual"));
  return remove(row->id, fieldsOf(row->values)) == Written::Done;
}

Written RecordSet::change(qint64 id, const FieldValues& wasRead, const FieldValues& values) {
  QStringList assigned, tests;
  QVariantList assignedValues, bound;
  if (!resolve(values, false, assigned, assignedValues) || !stateRead(id, wasRead, tests, bound) ||
      !connected())
    return Written::Failed;
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.prepare(QStringLiteral("update %1 set %2 = ? where %3")
                    .arg(QLatin1String(table_->name), assigned.join(QStringLiteral(" = ?, ")),
                         tests.join(QStringLiteral(" and "))));
  for (const QVariant& value : assignedValues + bound) query.addBindValue(value);
  if (!query.exec()) return failedWrite(QStringLiteral("grabar en la tabla %1"), query.lastError().text());
  if (query.numRowsAffected() == 0) return conflictOf(id);
  load(id);
  return Written::Done;
}

Written RecordSet::remove(qint64 id, const FieldValues& wasRead) {
  QStringList tests;
  QVariantList bound;
  if (!stateRead(id, wasRead, tests, bound) || !connected()) return Written::Failed;
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.prepare(QStringLiteral("delete from %1 where %2")
                    .arg(QLatin1String(table_->name), tests.join(QStringLiteral(" and "))));
  for (const QVariant& value : bound) query.addBindValue(value);
  if (!query.exec()) return failedWrite(QStringLiteral("borrar en la tabla %1"), query.lastError().text());
  if (query.numRowsAffected() == 0) return conflictOf(id);
  // The cursor stays on the removed record's place, and moveNext goes on from there.
  for (Row& row : rows_) {
    if (row.id == id) row.removed = true;
  }
  return Written::Done;
}

qint64 RecordSet::add(const FieldValues& values, Written* written) {
  const qint64 id = insert(values, written);
  if (id != 0) load(id);
  return id;
}

qint64 RecordSet::insert(const FieldValues& values, Written* written) {
  Written outcome = Written::Failed;
  if (written == nullptr) written = &outcome;
  *written = Written::Failed;
  QStringList names;
  QVariantList bound;
  if (!resolve(values, false, names, bound) || !connected()) return 0;
  const bool server = onServer(connection_);
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.prepare(QStringLiteral("insert into %1 (%2) values (%3)%4")
                    .arg(QLatin1String(table_->name), names.join(QStringLiteral(", ")),
                         QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")),
                         server ? QStringLiteral(" returning id") : QString()));
  for (const QVariant& value : bound) query.addBindValue(value);
  if (!query.exec()) {
    *written = failedWrite(QStringLiteral("grabar en la tabla %1"), query.lastError().text());
    return 0;
  }
  const qint64 id =
      server ? (query.next() ? query.value(0).toLongLong() : 0) : query.lastInsertId().toLongLong();
  *written = Written::Done;
  return id;
}

FieldValues RecordSet::fieldsOf(const QVector<QVariant>& values) const {
  FieldValues fields;
  for (std::size_t i = 0; i < table_->fields.size(); ++i)
    fields << FieldValue{QLatin1String(table_->fields[i].name), values[static_cast<int>(i)]};
  return fields;
}

bool RecordSet::resolve(const FieldValues& values, bool skipYesNo, QStringList& names,
                        QVariantList& bound) {
  if (table_ == nullptr) return fail(QStringLiteral("grabar en la tabla"), QStringLiteral("no está abierta"));
  for (const FieldValue& value : values) {
    const int index = fieldIndex(value.field);
    if (index < 0)
      return fail(QStringLiteral("grabar en la tabla %1"),
                  QStringLiteral("no tiene el campo ") + value.field);
    const FieldSpec& field = table_->fields[index];
    if (skipYesNo && field.type == FieldType::YesNo) continue;
    names << QLatin1String(field.name);
    bound << toDatabase(value.value, field.type);
  }
  return true;
}

bool RecordSet::stateRead(qint64 id, const FieldValues& wasRead, QStringList& tests,
                          QVariantList& bound) {
  QStringList names;
  QVariantList values;
  if (!resolve(wasRead, true, names, values)) return false;
  // "is" matches Null with Null, which "=" does not.
  tests = QStringList{QStringLiteral("id")} + names;
  for (QString& test : tests) test += sameAs(connection_);
  bound = QVariantList{id} + values;
  return true;
}

Written RecordSet::conflictOf(qint64 id) {
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.prepare(QStringLiteral("select count(*) from %1 where id = ?").arg(QLatin1String(table_->name)));
  query.addBindValue(id);
  const bool exists = query.exec() && query.next() && query.value(0).toInt() > 0;
  error_ = exists ? QStringLiteral("Otro programa ha modificado el registro.")
                  : QStringLiteral("Otro programa ha borrado el registro.");
  return exists ? Written::ChangedElsewhere : Written::RemovedElsewhere;
}

bool RecordSet::connected() {
  return keepConnected(connection_, &error_);
}

Written RecordSet::failedWrite(const QString& what, const QString& reason) {
  fail(what, reason);
  if (!connectionLost(connection_)) return Written::Failed;
  error_ = QStringLiteral(
               "Se ha perdido la conexión con el servidor de datos mientras se grababa.\n"
               "Puede que no se haya grabado. Lo escrito en la pantalla se conserva: compruebe la "
               "lista y vuelva a grabar si hace falta.\nDetalle técnico: %1")
               .arg(reason.simplified());
  return Written::ConnectionLost;
}

bool RecordSet::removeAll() {
  if (table_ == nullptr)
    return fail(QStringLiteral("borrar la tabla"), QStringLiteral("no está abierta"));
  if (!connected()) return false;
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  if (!query.exec(QStringLiteral("delete from %1").arg(QLatin1String(table_->name)))) {
    failedWrite(QStringLiteral("borrar la tabla %1"), query.lastError().text());
    return false;
  }
  rows_.clear();
  at_ = 0;
  return true;
}

int RecordSet::fieldIndex(const QString& field) const {
  if (table_ == nullptr) return -1;
  for (std::size_t i = 0; i < table_->fields.size(); ++i) {
    if (field.compare(QLatin1String(table_->fields[i].name), Qt::CaseInsensitive) == 0) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool RecordSet::fail(const QString& what, const QString& reason) {
  const QString table = table_ != nullptr ? QLatin1String(table_->name) : QString();
  error_ = QStringLiteral("No se pudo %1: %2")
               .arg(what.contains(QStringLiteral("%1")) ? what.arg(table) : what, reason);
  return false;
}

bool RecordSet::load(qint64 keepId) {
  QStringList names{QStringLiteral("id")};
  for (const FieldSpec& field : table_->fields) names << QLatin1String(field.name);
  const QString statement = QStringLiteral("select %1 from %2 order by id")
                                .arg(names.join(QStringLiteral(", ")), table_->name);
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.setForwardOnly(true);
  rows_.clear();
  at_ = 0;
  bool read = query.exec(statement);
  if (!read && connectionLost(connection_)) {
    // The server's connection broke and has been opened again, if the server answers: a read
    // can safely be made once more.
    query = QSqlQuery(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    read = query.exec(statement);
  }
  if (!read) {
    if (!QSqlDatabase::database(connection_, false).isOpen()) {
      error_ = whyNotOpen(connection_);
      return false;
    }
    return fail(QStringLiteral("leer la tabla %1"), query.lastError().text());
  }
  while (query.next()) {
    Row row;
    row.id = query.value(0).toLongLong();
    for (std::size_t i = 0; i < table_->fields.size(); ++i) {
      row.values << fromDatabase(query.value(static_cast<int>(i) + 1), table_->fields[i].type);
    }
    rows_ << row;
  }
  // Sorted here rather than by the database, whose text order is not the Spanish one; the sort is
  // stable, so equal keys stay in the order of their identities.
  const int order = orderField_.isEmpty() ? -1 : fieldIndex(orderField_);
  if (order >= 0 && numericOrder_) {
    std::stable_sort(rows_.begin(), rows_.end(), [order](const Row& a, const Row& b) {
      return leadingValue(a.values[order]) < leadingValue(b.values[order]);
    });
  } else if (order >= 0 && table_->fields[order].type == FieldType::Text) {
    std::vector<std::pair<std::u32string, int>> keys;
    keys.reserve(rows_.size());
    for (int i = 0; i < rows_.size(); ++i)
      keys.emplace_back(spanishKey(textView(rows_[i].values[order].toString())), i);
    std::stable_sort(keys.begin(), keys.end(), [this, order](const auto& a, const auto& b) {
      if (a.first != b.first) return a.first < b.first;
      return rows_[a.second].values[order].toString() < rows_[b.second].values[order].toString();
    });
    QVector<Row> sorted;
    sorted.reserve(rows_.size());
    for (const auto& key : keys) sorted << rows_[key.second];
    rows_ = sorted;
  } else if (order >= 0) {
    std::stable_sort(rows_.begin(), rows_.end(), [order](const Row& a, const Row& b) {
      return a.values[order].toString() < b.values[order].toString();
    });
  }
  while (at_ < rows_.size() && keepId != 0 && rows_[at_].id != keepId) ++at_;
  if (at_ >= rows_.size()) moveFirst();
  return true;
}

const RecordSet::Row* RecordSet::current() const {
  return at_ < rows_.size() && !rows_[at_].removed ? &rows_[at_] : nullptr;
}

}  // namespace kvt
