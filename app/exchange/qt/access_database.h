// An Access database (.mdb, .accdb) that another program kept, read only: its tables and the
// text of their columns and rows, in UTF-8. Dates come as dd/mm/yyyy, a Null as an empty text.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kvt {

struct AccessTable {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

class AccessDatabase {
 public:
  // The database in that file; none, with the reason in error (in Spanish), when it cannot be
  // read as one.
  static std::unique_ptr<AccessDatabase> open(const std::string& path, std::string& error);
  virtual ~AccessDatabase() = default;

  // The tables the database's users made, not the database's own (MSys...).
  virtual std::vector<std::string> tables() const = 0;
  // False, with error, when the table cannot be read.
  virtual bool read(const std::string& table, AccessTable& content, std::string& error) = 0;
};

}  // namespace kvt
