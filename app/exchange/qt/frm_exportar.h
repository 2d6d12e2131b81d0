// "Exportar…": a register written to a CSV file, as a spreadsheet reads it: semicolons between
// the cells unless the user asks for commas, Windows-1252 or UTF-8 with a byte order mark, a
// header row and the records in the register's current order. The file is replaced whole or not
// at all.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kvt {

class frmExportar : public QDialog {
  Q_OBJECT

 public:
  explicit frmExportar(QWidget* parent = nullptr);

  QComboBox* Combo1;      // the register: "Socios" or "Concursos"
  QComboBox* Combo2;      // the separator
  QComboBox* Combo3;      // the encoding
  QLineEdit* Text1;       // the file
  QPushButton* Command3;  // "..." chooses the file
  QPushButton* Command1;  // "Exportar"
  QPushButton* Command2;  // "Cancelar"

 private:
  void chooseFile();
  void proposeFile();
  void run();
};

}  // namespace kvt
