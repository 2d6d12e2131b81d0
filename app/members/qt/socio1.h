// "Mantenimiento de Socios": the member register. It lists the members by licence or by name,
// finds them, adds, changes and deletes them, and can empty the register.
#pragma once

#include <QDialog>

#include "member_list.h"

class QAction;
class QFocusEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class QTreeWidget;

namespace kvt {

class Socio1 : public QDialog {
  Q_OBJECT

 public:
  explicit Socio1(QWidget* parent = nullptr);

  QTreeWidget* ListView1;  // the members
  QGroupBox* Frame3;       // "&Ordenar por"
  QRadioButton* Option1;   // "&Licencia"
  QRadioButton* Option2;   // "&Nombre"
  QGroupBox* Frame1;       // the search panel
  QLineEdit* Text1;        // the search pattern
  QPushButton* Command1;   // "&Aceptar": search
  QPushButton* Command2;   // "&Cancelar"
  QGroupBox* Frame4;       // "Alta de Socio": the first step of adding, the new licence
  QLabel* Label11;         // "Licencia"
  QLineEdit* Text2;        // the new licence
  QPushButton* Command3;   // "&Aceptar": on to the member panel
  QPushButton* Command4;   // "&Cancelar"
  QGroupBox* Frame6;       // "Socio": the member panel, for a new or changed member
  QLineEdit* Text7;        // licence
  QLineEdit* Text5;        // name
  QLabel* Label2;          // "Nº de Reloj"
  QLineEdit* Text6;        // clock number
  QPushButton* Command7;   // "Aceptar": store the member
  QPushButton* Command8;   // "Cancelar"
  QWidget* Frame2;         // the key hints, shown while Ctrl is held
  QToolBar* Toolbar1;
  QAction* soc3;   // "Grabar uno nuevo"
  QAction* soc5;   // "Borrar "
  QAction* soc7;   // "Modificar"
  QAction* soc9;   // "Buscar"
  QAction* soc11;  // "Palomas", which does nothing
  QAction* soc14;  // without text, does nothing
  QAction* soc17;  // "Salir"
  QAction* soc19;  // without text: deletes all members

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool handleKey(QObject* watched, const QKeyEvent* key);
  // Lists the register again; the member of that identity is selected and shown.
  void fillList(std::int64_t selected = 0);
  // Tells why a write was not done; a stale list is read again.
  bool written(const Saved& saved);
  void chooseOrder(MemberOrder order);
  bool hasMembers() const;
  void setToolbarState();
  void disableToolbar();
  void startAdd();
  void newLicenceLeft(const QFocusEvent* event);
  void refuseNewLicence(const QString& refusal);
  void acceptNewLicence();
  void modify();
  void takeSelectedLicence();
  void save();
  void remove();
  void removeAll();
  void startSearch(bool captioned);
  void search();
  void endSearch();

  MemberOrder order_ = MemberOrder::Licence;
  MemberRegister members_;  // the register as the list shows it
  QString licence_;         // the licence of the member being added or changed
  // The member being changed, as he was listed; none while one is added.
  std::optional<Member> changed_;
};

}  // namespace kvt
