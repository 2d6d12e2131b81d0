#include "table_schema.h"

#include <QStringList>

namespace kvt {

const TableSpec& configTable() {
  static const TableSpec table{"config",
                               {{"confnosist", FieldType::Text},
                                {"confmsdos", FieldType::Text},
                                {"confcocon", FieldType::YesNo},
                                {"confnocon", FieldType::YesNo},
                                {"confcosoc", FieldType::YesNo},
                                {"confnosoc", FieldType::YesNo},
                                {"confcoclu", FieldType::YesNo},
                                {"confnoclu", FieldType::YesNo}}};
  return table;
}

const TableSpec& sociosTable() {
  static const TableSpec table{"socios",
                               {{"slicencia", FieldType::Text},
                                {"snombre", FieldType::Text},
                                {"slicenreloj", FieldType::Text}}};
  return table;
}

const TableSpec& concursoTable() {
  static const TableSpec table{"concurso",
                               {{"cocodigo", FieldType::Text},
                                {"conombre", FieldType::Text},
                                {"cofecha", FieldType::Date},
                                {"coenceste", FieldType::Date}}};
  return table;
}

const TableSpec& palomaTable() {
  static const TableSpec table{"Paloma", {{"panilla", FieldType::Text}}};
  return table;
}

const TableSpec* findTable(const QString& name) {
  for (const TableSpec* table :
       {&configTable(), &sociosTable(), &concursoTable(), &palomaTable()}) {
    if (name.compare(QLatin1String(table->name), Qt::CaseInsensitive) == 0) return table;
  }
  return nullptr;
}

QString createStatement(const TableSpec& table) {
  // An identity is never handed out again, also after its record was removed: another program
  // that still lists the removed record must not change a new one in its place.
  QStringList columns{QStringLiteral("id integer primary key autoincrement")};
  for (const FieldSpec& field : table.fields) {
    const char* type = field.type == FieldType::Text   ? "varchar(255)"
                       : field.type == FieldType::Date ? "date"
                                                       : "smallint";
    columns << QStringLiteral("%1 %2").arg(QLatin1String(field.name), QLatin1String(type));
  }
  return QStringLiteral("create table if not exists %1 (%2)")
      .arg(QLatin1String(table.name), columns.join(QStringLiteral(", ")));
}

std::vector<const TableSpec*> registerTables() {
  return {&sociosTable(), &concursoTable()};
}

std::vector<ServerColumn> serverColumns(const TableSpec& table) {
  std::vector<ServerColumn> columns{{QStringLiteral("id"), QStringLiteral("bigint"), {}, true}};
  for (const FieldSpec& field : table.fields) {
    if (field.type == FieldType::YesNo) {
      columns.push_back({QLatin1String(field.name), QStringLiteral("smallint"), {}, false});
    } else {
      // A date is kept as the file keeps it: yyyy-mm-dd, or the text an older database held.
      columns.push_back({QLatin1String(field.name), QStringLiteral("text"),
                         field.type == FieldType::Text ? QStringLiteral("es-x-icu") : QString(),
                         false});
    }
  }
  return columns;
}

QString serverCreateStatement(const TableSpec& table) {
  // "generated always": the server alone hands out identities, from a sequence that never gives
  // one twice, so no program can write an identity that was used before.
  QStringList columns;
  for (const ServerColumn& column : serverColumns(table)) {
    columns << (column.identity ? QStringLiteral("%1 %2 generated always as identity primary key")
                                      .arg(column.name, column.type)
                                : QStringLiteral("%1 %2").arg(column.name, column.type) +
                                      (column.collation.isEmpty()
                                           ? QString()
                                           : QStringLiteral(" collate \"%1\"").arg(column.collation)));
  }
  return QStringLiteral("create table %1 (%2)")
      .arg(QString::fromLatin1(table.name).toLower(), columns.join(QStringLiteral(", ")));
}

}  // namespace kvt
