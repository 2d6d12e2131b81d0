// "Mantenimiento de Concursos": the contest register. It lists the contests by code or by date,
// and adds, changes, deletes and finds them.
#pragma once

#include <QDialog>

#include "contest_list.h"

class QAction;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace kvt {

class Concurso1 : public QDialog {
  Q_OBJECT

 public:
  explicit Concurso1(QWidget* parent = nullptr);

  QTreeWidget* ListView1;  // the contests
  QGroupBox* Frame3;       // "&Ordenar por"
  QRadioButton* Option1;   // "&Codigo"
  QRadioButton* Option2;   // "&Fecha"
  QToolBar* Toolbar1;
  QAction* so3;           // "Grabar uno nuevo"
  QAction* so5;           // "Borrar "
  QAction* so7;           // "Modificar el Concurso"
  QAction* so9;           // "Buscar"
  QAction* so18;          // "Salir "
  QGroupBox* Frame6;      // the contest panel, for adding and changing
  QLineEdit* Text6;       // code
  QLineEdit* Text5;       // name
  QLineEdit* Text18;      // "Enceste", the basketing date
  QLineEdit* Text20;      // "Suelta", the release date
  QPushButton* Command7;  // "Aceptar": store the panel
  QPushButton* Command8;  // "Cancelar"
  QGroupBox* Frame1;      // the search panel
  QLineEdit* Text1;       // the search pattern
  QPushButton* Command1;  // "&Aceptar": search
  QPushButton* Command2;  // "&Cancelar"

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Lists the register again; the contest of that identity is selected and shown, else the row at
  // the remembered position.
  void fillList(std::int64_t selected = 0);
  // Tells why a write was not done; a stale list is read again.
  bool written(const Saved& saved);
  void chooseOrder(ContestOrder order);
  void setToolbarState();
  void add();
  void modify();
  void save();
  void remove();
  void startSearch();
  void search();
  void endSearch();
  bool hasContests() const;

  ContestOrder order_ = ContestOrder::Code;
  int position_ = 1;  // the remembered row, counted from 1
  ContestRegister contests_;  // the register as the list shows it
  // The contest being changed, as it was listed; none while one is added.
  std::optional<Contest> changed_;
  // What the date boxes were given for the contest being changed.
  QString givenBasketing_;
  QString givenRelease_;
};

}  // namespace kvt
