// The configuration record: the system name of the main window's caption, the documents folder
// and the list orders the other screens follow. It is viewed first; "&Modificar" lets it be
// changed and "&Aceptar" writes it.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;

namespace kvt {

class Configuracion : public QDialog {
  Q_OBJECT

 public:
  explicit Configuracion(QWidget* parent = nullptr);

  QLineEdit* Text1;       // the system name (confnosist)
  QLineEdit* Text2;       // the documents folder (confmsdos)
  QPushButton* chooseFolder;  // "...": the folder dialog, whose choice goes into Text2
  QRadioButton* Option3;  // "Enceste" (confcoclu)
  QRadioButton* Option4;  // "LLegada" (confnoclu)
  QRadioButton* Option5;  // "Licencia": members by licence (confcosoc)
  QRadioButton* Option6;  // "Nombre": members by name (confnosoc)
  QRadioButton* Option7;  // "Codigo": contests by code (confcocon)
  QRadioButton* Option8;  // "Fecha": contests by date (confnocon)
  QPushButton* confModificar;
  QPushButton* ConfAceptar;
  QPushButton* confSalir;
  QMenu* conf;        // "Configuración"
  QAction* Opciones;  // "&Opciones", which does nothing
  QAction* Registros;  // where the registers live: this PC or a server (frmServidor)

 private:
  void showRecord();
  void modify();
  void pickFolder();
  void accept() override;
  void leave();
  void reject() override;
};

}  // namespace kvt
