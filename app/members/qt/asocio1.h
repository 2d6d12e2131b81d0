// The member list for picking a member with F1 from the contest reading screen. Read-only: it
// orders and searches the list, and Enter or a double-click writes the picked licence into the
// screen that opened it.
#pragma once

#include <QDialog>

#include "member_list.h"
#include "record_set.h"

class QAction;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class QTreeWidget;

namespace kvt {

class ASocio1 : public QDialog {
  Q_OBJECT

 public:
  explicit ASocio1(QWidget* parent = nullptr);

  QTreeWidget* ListView1;  // the members
  QGroupBox* Frame3;       // "&Ordenar por"
  QRadioButton* Option1;   // "&Licencia"
  QRadioButton* Option2;   // "&Nombre"
  QGroupBox* Frame1;       // the search panel
  QLineEdit* Text1;        // the search pattern
  QPushButton* Command1;   // "&Aceptar": search
  QPushButton* Command2;   // "&Cancelar"
  QWidget* Frame2;         // the key hints
  QToolBar* Toolbar1;
  QAction* soc9;   // "Buscar"
  QAction* soc17;  // "Salir"

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool handleKey(QObject* watched, const QKeyEvent* key);
  void chooseOrder(MemberOrder order);
  void startSearch();
  void search();
  void pick();
  void leave();

  MemberOrder order_ = MemberOrder::Licence;
  RecordSet members_;
};

}  // namespace kvt
