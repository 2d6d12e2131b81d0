// "Importar…": a register brought in from an Access database or a CSV file. The user picks the
// register, the table (of a database) or the separator and encoding (of a CSV file, as detected),
// and which column feeds which field; the preview shows the first rows as they will be stored and
// every row that will not be, with the reason. "Importar" adds the rows, all or none.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <memory>
#include <vector>

#include "register_exchange.h"

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace kvt {

class AccessDatabase;

// Asks for the file to bring in and opens the import window on it.
void importFile(QWidget* parent);

class frmImportar : public QDialog {
  Q_OBJECT

 public:
  // path: an Access database (.mdb, .accdb) or a CSV file.
  explicit frmImportar(const QString& path, QWidget* parent = nullptr);
  ~frmImportar() override;

  // Reads the file; empty when it could be read, else the message that tells why not.
  QString load();

  QComboBox* Combo1;         // the register: "Socios" or "Concursos"
  QComboBox* Combo2;         // the database's table
  QComboBox* Combo3;         // the CSV file's separator
  QComboBox* Combo4;         // the CSV file's encoding
  QGroupBox* Frame1;         // "Columnas": one box per field, named after the field ("slicencia")
  QTreeWidget* ListView1;    // the preview
  QLabel* Label1;            // how many rows will be stored and how many not
  QProgressBar* ProgressBar1;
  QPushButton* Command1;     // "Importar"
  QPushButton* Command2;     // "Cancelar"

  // The box of the field of that own name, or none.
  QComboBox* columnBox(const QString& field) const;

 private:
  RegisterKind kind() const;
  void readTable();
  void showFields();
  void check();
  void run();

  QString path_;
  QByteArray bytes_;  // a CSV file's content
  std::unique_ptr<AccessDatabase> database_;
  SourceTable source_;
  std::vector<CheckedRow> checked_;
  QFormLayout* columns_;
  QList<QComboBox*> boxes_;
};

}  // namespace kvt
