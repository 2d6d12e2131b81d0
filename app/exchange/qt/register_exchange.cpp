#include "register_exchange.h"

#include <QDate>
#include <QVariant>
#include <algorithm>

#include "access_database.h"
#include "ansi_text.h"
#include "contest_list.h"
#include "contest_register.h"
#include "database_connection.h"
#include "member_list.h"
#include "member_register.h"
#include "record_set.h"
#include "spanish_order.h"

namespace kvt {

namespace {

std::u16string u16(const QString& text) {
  return std::u16string(textView(text));
}

QString qt(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString decoded(const std::string& bytes, TextEncoding encoding) {
  return encoding == TextEncoding::Utf8
             ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
             : fromAnsi(bytes);
}

// A date as the register keeps it: Null for an empty cell; the cells are checked dates.
QVariant dateOf(const std::u16string& cell) {
  return cell.empty() ? QVariant() : QVariant(contestDate(qt(cell)).value_or(QDate()));
}

MemberEntry memberOf(const CheckedRow& row) {
  return {qt(row.cells[0]), qt(row.cells[1]), qt(row.cells[2])};
}

ContestEntry contestOf(const CheckedRow& row) {
  return {qt(row.cells[0]), qt(row.cells[1]), dateOf(row.cells[2]), dateOf(row.cells[3])};
}

std::vector<std::u16string> decodedRow(const std::vector<std::string>& cells,
                                       TextEncoding encoding) {
  std::vector<std::u16string> row;
  row.reserve(cells.size());
  for (const std::string& cell : cells) row.push_back(u16(decoded(cell, encoding)));
  return row;
}

// Each record's cells in the register's field order, as they are shown.
std::vector<std::vector<QString>> recordsOf(RegisterKind kind, QString& error) {
  std::vector<std::vector<QString>> records;
  if (kind == RegisterKind::Members) {
    MemberRegister members;
    if (!members.list(configuredMemberOrder())) {
      error = members.error();
      return {};
    }
    for (const Member& member : members.members())
      records.push_back(
          {member.licence.trimmed(), member.name.toString(), member.clock.toString()});
  } else {
    ContestRegister contests;
    if (!contests.list(configuredContestOrder())) {
      error = contests.error();
      return {};
    }
    const QString format = QStringLiteral("dd/MM/yyyy");
    for (const Contest& contest : contests.contests())
      records.push_back({contest.code.trimmed(), contest.name.toString(),
                         shownDate(contest.release, format), shownDate(contest.basketing, format)});
  }
  return records;
}

}  // namespace

const std::vector<RegisterField>& registerFields(RegisterKind kind) {
  static const std::vector<RegisterField> members{
      {u"slicencia", u"Licencia", {u"Licence", u"Lic", u"Nº Licencia"}},
      {u"snombre", u"Nombre", {u"Socio", u"Name", u"Apellidos y nombre", u"Nombre y apellidos"}},
      {u"slicenreloj", u"Nº de Reloj", {u"Reloj", u"Nº Reloj", u"Numero de reloj", u"Clock"}}};
  static const std::vector<RegisterField> contests{
      {u"cocodigo", u"Código", {u"Cod", u"Code", u"Concurso"}},
      {u"conombre", u"Nombre", {u"Name", u"Nombre del concurso"}},
      {u"cofecha", u"Suelta", {u"Fecha", u"Fecha de suelta", u"Release"}, true},
      {u"coenceste", u"Enceste", {u"Fecha de enceste", u"Basketing"}, true}};
  return kind == RegisterKind::Members ? members : contests;
}

QString registerName(RegisterKind kind) {
  return kind == RegisterKind::Members ? QStringLiteral("socios") : QStringLiteral("concursos");
}

SourceTable csvSource(const QByteArray& bytes, const CsvShape& shape) {
  const auto records = readCsv(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), shape.separator);
  SourceTable table;
  for (std::size_t r = 0; r < records.size(); ++r) {
    if (r == 0) {
      table.headers = decodedRow(records[r], shape.encoding);
    } else {
      table.rows.push_back(decodedRow(records[r], shape.encoding));
    }
  }
  return table;
}

SourceTable accessSource(const AccessTable& table) {
  SourceTable source;
  source.firstRow = 1;
  source.headers = decodedRow(table.columns, TextEncoding::Utf8);
  for (const auto& row : table.rows) source.rows.push_back(decodedRow(row, TextEncoding::Utf8));
  return source;
}

RegisterKind registerOfHeaders(const std::vector<std::u16string>& headers) {
  const auto fed = [&headers](RegisterKind kind) {
    const std::vector<int> mapping = presetMapping(headers, registerFields(kind));
    return std::count_if(mapping.begin(), mapping.end(), [](int column) { return column >= 0; });
  };
  return fed(RegisterKind::Contests) > fed(RegisterKind::Members) ? RegisterKind::Contests
                                                                  : RegisterKind::Members;
}

bool registerKeys(RegisterKind kind, std::vector<std::u16string>& keys, QString& error) {
  keys.clear();
  if (kind == RegisterKind::Members) {
    MemberRegister members;
    if (!members.list(MemberOrder::Licence)) {
      error = members.error();
      return false;
    }
    for (const Member& member : members.members()) keys.push_back(u16(member.licence));
  } else {
    ContestRegister contests;
    if (!contests.list(ContestOrder::Code)) {
      error = contests.error();
      return false;
    }
    for (const Contest& contest : contests.contests()) keys.push_back(u16(contest.code));
  }
  return true;
}

QString refusalText(RegisterKind kind, const CheckedRow& row, int firstRow) {
  const bool members = kind == RegisterKind::Members;
  const QString value = qt(row.cells[row.field]);
  switch (row.refusal) {
    case RowRefusal::None:
      return {};
    case RowRefusal::KeyEmpty:
      return members ? QStringLiteral("sin licencia") : QStringLiteral("sin código");
    case RowRefusal::KeyTooLong:
      return (members ? QStringLiteral("la licencia %1 tiene más de %2 caracteres")
                      : QStringLiteral("el código %1 tiene más de %2 caracteres"))
          .arg(value)
          .arg(kLongestKey);
    case RowRefusal::KeyInRegister:
      return QStringLiteral("%1 ya está en el registro").arg(value);
    case RowRefusal::KeyTwiceInFile:
      return QStringLiteral("%1 ya está en la fila %2")
          .arg(value)
          .arg(static_cast<int>(row.earlierRow) + firstRow);
    case RowRefusal::NoDate:
      return QStringLiteral("%1 %2 no es una fecha")
          .arg(qt(std::u16string(registerFields(kind)[row.field].label)), value);
  }
  return {};
}

std::vector<QString> storedCells(RegisterKind kind, const CheckedRow& row) {
  const auto cell = [&row](std::size_t f) { return qt(row.cells[f]); };
  if (kind == RegisterKind::Members) {
    const MemberEntry stored = storedEntry(memberOf(row));
    return {stored.licence, stored.name, stored.clock};
  }
  const ContestEntry stored = storedEntry(contestOf(row));
  return {stored.code, stored.name, cell(2), cell(3)};
}

ImportOutcome importRows(RegisterKind kind, const std::vector<CheckedRow>& rows,
                         const std::function<void(int, int)>& progress) {
  MemberRegister members;
  ContestRegister contests;
  TableRegister& target = kind == RegisterKind::Members ? static_cast<TableRegister&>(members)
                                                        : static_cast<TableRegister&>(contests);
  Transaction transaction(target.connection());
  if (!transaction.begun())
    return {0, QStringLiteral("No se pudo empezar la grabación: ") + transaction.error()};
  const int total = static_cast<int>(rows.size());
  int added = 0;
  for (int r = 0; r < total; ++r) {
    const CheckedRow& row = rows[static_cast<std::size_t>(r)];
    if (row.refusal != RowRefusal::None) continue;
    const Saved saved = kind == RegisterKind::Members ? members.import(memberOf(row))
                                                      : contests.import(contestOf(row));
    if (!saved.done()) return {0, saved.refusal};  // the transaction, left, keeps none
    ++added;
    if (progress) progress(r + 1, total);
  }
  if (!transaction.commit())
    return {0, QStringLiteral("No se pudo terminar la grabación: ") + transaction.error()};
  return {added, {}};
}

QByteArray exportCsv(RegisterKind kind, char separator, TextEncoding encoding, int& records,
                     QString& error) {
  const auto rows = recordsOf(kind, error);
  records = static_cast<int>(rows.size());
  if (!error.isEmpty()) return {};
  // A character Windows-1252 has no byte for would be written as "?": the file would not be the
  // register, so it is not written at all.
  if (encoding == TextEncoding::Windows1252) {
    for (const auto& row : rows) {
      for (const QString& cell : row) {
        if (holdsInAnsi(cell)) continue;
        error = QStringLiteral(
                    "No se ha exportado nada: «%1» (%2) tiene caracteres que "
                    "Windows-1252 no puede guardar. Exporte en «UTF-8 con BOM».")
                    .arg(cell, row.front());
        return {};
      }
    }
  }
  const auto bytes = [encoding](const QString& text) {
    return encoding == TextEncoding::Utf8 ? text.toStdString() : toAnsi(text);
  };
  std::string text = encoding == TextEncoding::Utf8 ? std::string(kUtf8Bom) : std::string();
  std::vector<std::string> header;
  for (const RegisterField& field : registerFields(kind))
    header.push_back(bytes(qt(std::u16string(field.column))));
  text += csvRecord(header, separator);
  for (const auto& row : rows) {
    std::vector<std::string> cells;
    for (const QString& cell : row) cells.push_back(bytes(cell));
    text += csvRecord(cells, separator);
  }
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kvt
