#include "record_set.h"

#include <QDate>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>

#include "ansi_text.h"
#include "fixed_text.h"

namespace kvt {

namespace {

QVariant fromDatabase(const QVariant& stored, FieldType type) {
  if (stored.isNull()) return {};
  switch (type) {
    case FieldType::Text:
      return stored.toString();
    case FieldType::Date: {
      const QDate date = QDate::fromString(stored.toString().left(10), Qt::ISODate);
      return date.isValid() ? QVariant(date) : QVariant();
    }
    case FieldType::YesNo:
      return stored.toInt() != 0;
  }
  return {};
}

QVariant toDatabase(const QVariant& value, FieldType type) {
  if (value.isNull()) return {};
  switch (type) {
    case FieldType::Text:
      return value.toString();
    case FieldType::Date: {
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
      return text.compare(criterion.value, Qt::CaseInsensitive) == 0;
    case Criterion::Test::TrimmedEquals:
      return text.trimmed().compare(criterion.value, Qt::CaseInsensitive) == 0;
    case Criterion::Test::StartsWith:
      return text.startsWith(criterion.value, Qt::CaseInsensitive);
  }
  return false;
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
  return read(0);
}

bool RecordSet::requery() {
  const Row* row = current();
  return isOpen() && read(row != nullptr ? row->id : 0);
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

QVariant RecordSet::value(const QString& field) const {
  const int index = fieldIndex(field);
  const Row* row = change_ != Change::None ? &buffer_ : current();
  return index >= 0 && row != nullptr ? row->values[index] : QVariant();
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
  change_ = Change::Editing;
  return true;
}

bool RecordSet::update() {
  if (change_ == Change::None)
    return fail(QStringLiteral("grabar en la tabla %1"),
                QStringLiteral("no se ha empezado ningún cambio"));
  QStringList names;
  for (const FieldSpec& field : table_->fields) names << QLatin1String(field.name);
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  const QString table = QLatin1String(table_->name);
  if (change_ == Change::Adding) {
    query.prepare(
        QStringLiteral("insert into %1 (%2) values (%3)")
            .arg(table, names.join(QStringLiteral(", ")),
                 QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
  } else {
    query.prepare(QStringLiteral("update %1 set %2 = ? where id = ?")
                      .arg(table, names.join(QStringLiteral(" = ?, "))));
  }
  for (int i = 0; i < names.size(); ++i) {
    query.addBindValue(toDatabase(buffer_.values[i], table_->fields[i].type));
  }
  if (change_ == Change::Editing) query.addBindValue(buffer_.id);
  if (!query.exec()) return fail(QStringLiteral("grabar en la tabla %1"), query.lastError().text());
  const qint64 id = change_ == Change::Adding ? query.lastInsertId().toLongLong() : buffer_.id;
  change_ = Change::None;
  return read(id);
}

void RecordSet::cancelUpdate() {
  change_ = Change::None;
}

bool RecordSet::remove() {
  const Row* row = current();
  if (row == nullptr)
    return fail(QStringLiteral("borrar en la tabla %1"), QStringLiteral("no hay registro actual"));
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.prepare(QStringLiteral("delete from %1 where id = ?").arg(QLatin1String(table_->name)));
  query.addBindValue(row->id);
  if (!query.exec()) return fail(QStringLiteral("borrar en la tabla %1"), query.lastError().text());
  rows_[at_].removed = true;
  return true;
}

bool RecordSet::removeAll() {
  if (table_ == nullptr)
    return fail(QStringLiteral("borrar la tabla"), QStringLiteral("no está abierta"));
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  if (!query.exec(QStringLiteral("delete from %1").arg(QLatin1String(table_->name))))
    return fail(QStringLiteral("borrar la tabla %1"), query.lastError().text());
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

bool RecordSet::read(qint64 keepId) {
  QStringList names{QStringLiteral("id")};
  for (const FieldSpec& field : table_->fields) names << QLatin1String(field.name);
  QString statement =
      QStringLiteral("select %1 from %2").arg(names.join(QStringLiteral(", ")), table_->name);
  const int order = orderField_.isEmpty() ? -1 : fieldIndex(orderField_);
  if (order >= 0 && !numericOrder_) {
    const QString key = QLatin1String(table_->fields[order].name);
    statement += table_->fields[order].type == FieldType::Text
                     ? QStringLiteral(" order by lower(%1), id").arg(key)
                     : QStringLiteral(" order by %1, id").arg(key);
  } else {
    statement += QStringLiteral(" order by id");
  }
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.setForwardOnly(true);
  rows_.clear();
  at_ = 0;
  if (!query.exec(statement))
    return fail(QStringLiteral("leer la tabla %1"), query.lastError().text());
  while (query.next()) {
    Row row;
    row.id = query.value(0).toLongLong();
    for (std::size_t i = 0; i < table_->fields.size(); ++i) {
      row.values << fromDatabase(query.value(static_cast<int>(i) + 1), table_->fields[i].type);
    }
    rows_ << row;
  }
  if (order >= 0 && numericOrder_) {
    std::stable_sort(rows_.begin(), rows_.end(), [order](const Row& a, const Row& b) {
      return leadingValue(a.values[order]) < leadingValue(b.values[order]);
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
