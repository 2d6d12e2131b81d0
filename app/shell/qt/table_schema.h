// The tables of the club's two databases and their fields: the one place where they are laid out.
// Every table also has an integer key "id", the record's identity, that the program uses to find a
// record again and never gives to another record; the screens never show it.
#pragma once

#include <QString>
#include <vector>

namespace kvt {

enum class FieldType { Text, Date, YesNo };

struct FieldSpec {
  const char* name;
  FieldType type;
};

struct TableSpec {
  const char* name;
  std::vector<FieldSpec> fields;
};

// config.db: the single configuration record.
const TableSpec& configTable();
// pal.db: the member register, the contest register and the scratch pigeon table.
const TableSpec& sociosTable();
const TableSpec& concursoTable();
const TableSpec& palomaTable();

// The table of that name (letter case ignored), or none.
const TableSpec* findTable(const QString& name);

// "create table if not exists ..." for the table.
QString createStatement(const TableSpec& table);

}  // namespace kvt
