// "Ayuda de Concursos": the contest list for picking a contest with F1 from the contest reading
// screen. Read-only: it orders and searches the list, and Enter or a double-click writes the
// picked code into the screen that opened it.
#pragma once

#include <QDialog>

#include "contest_list.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class QTreeWidget;

namespace kvt {

class AConcurso1 : public QDialog {
  Q_OBJECT

 public:
  explicit AConcurso1(QWidget* parent = nullptr);

  QLabel* Label1;          // "Mantenimiento de Concursos"
  QTreeWidget* ListView1;  // the contests
  QGroupBox* Frame3;       // "&Ordenar por"
  QRadioButton* Option1;   // "&Codigo"
  QRadioButton* Option2;   // "&Fecha"
  QGroupBox* Frame1;       // the search panel
  QLineEdit* Text1;        // the search pattern
  QPushButton* Command1;   // "&Aceptar": search
  QPushButton* Command2;   // "&Cancelar"
  QWidget* Frame2;         // the key hints, shown while Ctrl is held
  QToolBar* Toolbar1;
  QAction* so9;   // "Buscar"
  QAction* so18;  // "Salir "

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void chooseOrder(ContestOrder order);
  void startSearch();
  void search();
  void pick();

  ContestOrder order_ = ContestOrder::Code;
};

}  // namespace kvt
