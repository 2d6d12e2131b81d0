// Where the member and contest registers live: "Local" (this PC's own file) or "Servidor" (a
// PostgreSQL database that every PC of the club uses), with the server's host, port, database
// and user. "Probar" tells whether the server answers and whether the tables are there; the
// PC's own registers can be copied to an empty server once. The password is never written to
// the settings file: it is kept for this run only, or read from libpq's password file.
#pragma once

#include <QDialog>

#include "register_server.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kvt {

class frmServidor : public QDialog {
  Q_OBJECT

 public:
  explicit frmServidor(QWidget* parent = nullptr);

  QRadioButton* Local;     // "Local"
  QRadioButton* Servidor;  // "Servidor"
  QLineEdit* Host;
  QSpinBox* Puerto;
  QLineEdit* BaseDatos;
  QLineEdit* Usuario;
  QLineEdit* Clave;        // kept in memory for this run, never stored
  QPushButton* Probar;
  QPushButton* Copiar;     // "Copiar los registros locales al servidor"
  QPushButton* Grabar;
  QPushButton* Salir;

  ServerSettings shown() const;

 private:
  void showSettings(const ServerSettings& settings);
  void chosen();
  void test();
  void copy();
  void save();
};

}  // namespace kvt
