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

// The member and contest registers, which a club may keep on a database server for all its PCs;
// config and Paloma stay with each PC.
std::vector<const TableSpec*> registerTables();

// A column as the server's catalogue describes it.
struct ServerColumn {
  QString name;
  QString type;       // the catalogue's data type: "bigint", "text", "smallint"
  QString collation;  // empty for none
  bool identity = false;
  bool operator==(const ServerColumn&) const = default;
};

// The columns a table has on a PostgreSQL server, in their order: the identity first, then the
// fields as on the club's own file. Texts and dates are text, as the file stores them, so that
// whatever a file holds can go to the server unchanged; texts carry the Spanish collation.
std::vector<ServerColumn> serverColumns(const TableSpec& table);
// "create table ..." for the table on a PostgreSQL server.
QString serverCreateStatement(const TableSpec& table);

}  // namespace kvt
