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

}  // namespace kvt
