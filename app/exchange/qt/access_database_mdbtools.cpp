// The Access database read through mdbtools' library.
// mdbtools.h includes glib inside its extern "C", where glib's C++ templates may not stand; glib
// first keeps them outside.
#include <glib.h>
#include <mdbtools.h>

#include "access_database.h"

namespace kvt {

namespace {

class MdbDatabase : public AccessDatabase {
 public:
  explicit MdbDatabase(MdbHandle* handle) : handle_(handle) {}
  ~MdbDatabase() override { mdb_close(handle_); }
  MdbDatabase(const MdbDatabase&) = delete;
  MdbDatabase& operator=(const MdbDatabase&) = delete;

  std::vector<std::string> tables() const override {
    std::vector<std::string> names;
    for (guint i = 0; handle_->catalog != nullptr && i < handle_->catalog->len; ++i) {
      auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(handle_->catalog, i));
      if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
        names.emplace_back(entry->object_name);
    }
    return names;
  }

  bool read(const std::string& table, AccessTable& content, std::string& error) override {
    std::string name = table;
    MdbTableDef* def = mdb_read_table_by_name(handle_, name.data(), MDB_TABLE);
    if (def == nullptr) {
      error = "La base de datos no tiene la tabla " + table + ".";
      return false;
    }
    content = {};
    mdb_read_columns(def);
    mdb_rewind_table(def);
    std::vector<std::vector<char>> cells(def->num_cols, std::vector<char>(MDB_BIND_SIZE));
    std::vector<int> lengths(def->num_cols, 0);
    for (unsigned int c = 0; c < def->num_cols; ++c) {
      auto* column = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, c));
      content.columns.emplace_back(column->name);
      mdb_bind_column(def, static_cast<int>(c) + 1, cells[c].data(), &lengths[c]);
    }
    while (mdb_fetch_row(def)) {
      std::vector<std::string> row;
      for (unsigned int c = 0; c < def->num_cols; ++c)
        row.emplace_back(lengths[c] > 0 ? std::string(cells[c].data()) : std::string());
      content.rows.push_back(std::move(row));
    }
    mdb_free_tabledef(def);
    return true;
  }

 private:
  MdbHandle* handle_;
};

}  // namespace

std::unique_ptr<AccessDatabase> AccessDatabase::open(const std::string& path, std::string& error) {
  MdbHandle* handle = mdb_open(path.c_str(), MDB_NOFLAGS);
  if (handle == nullptr) {
    error = "No se puede leer " + path + " como una base de datos de Access.";
    return nullptr;
  }
  mdb_set_date_fmt(handle, "%d/%m/%Y");
  if (mdb_read_catalog(handle, MDB_ANY) == nullptr) {
    mdb_close(handle);
    error = "No se puede leer el catálogo de la base de datos " + path + ".";
    return nullptr;
  }
  return std::make_unique<MdbDatabase>(handle);
}

}  // namespace kvt
