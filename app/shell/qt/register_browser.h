// What the member and the contest browser share: a read-only register list opened with F1 from
// the contest reading screen, with its two orders, its search and its key hints, and the key or
// code picked with Enter or a double-click, which the screen that opened it takes with picked().
#pragma once

#include <QDialog>

#include "register_parts.h"

class QAction;
class QLabel;
class QToolBar;

namespace kvt {

class RegisterBrowser : public QDialog {
  Q_OBJECT

 public:
  QTreeWidget* ListView1;  // the records
  QGroupBox* Frame3;       // "&Ordenar por"
  QRadioButton* Option1;   // the first order: by licence or code
  QRadioButton* Option2;   // the second order: by name or date
  QGroupBox* Frame1;       // the search panel
  QLineEdit* Text1;        // the search pattern
  QPushButton* Command1;   // "&Aceptar": search
  QPushButton* Command2;   // "&Cancelar"
  QWidget* Frame2;         // the key hints, shown while Ctrl is held
  QToolBar* Toolbar1;

  // The licence or code picked; empty until one is.
  QString picked() const { return picked_; }

 protected:
  // list: the register's list; orders: the texts of Option1 and Option2.
  RegisterBrowser(QWidget* parent, const char* name, QTreeWidget* list, const QString& first,
                  const QString& second);
  // The toolbar buttons, left to right, with their keys and texts; all but searchKey and
  // leaveKey are disabled. Then the window opens in the order the configuration asks for.
  void finish(const std::vector<std::pair<const char*, const char*>>& buttons,
              const char* searchKey, const char* leaveKey, bool firstOrder);

  bool eventFilter(QObject* watched, QEvent* event) override;

  // Lists the register in the first order or the second; false when it holds no record.
  virtual bool fill(bool firstOrder) = 0;
  virtual bool hasRecords() const = 0;
  // The row the pattern finds, or none.
  virtual QTreeWidgetItem* find(const QString& pattern) = 0;
  // What the pattern box holds when it takes the focus.
  virtual QString patternStart() const = 0;
  virtual void leave() { close(); }

  bool firstOrder() const { return firstOrder_; }

 private:
  void chooseOrder(bool first);
  void startSearch();
  void search();
  void pick();

  bool firstOrder_ = true;
  QString picked_;
};

}  // namespace kvt
