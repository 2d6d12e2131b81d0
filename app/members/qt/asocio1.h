// The member list for picking a member with F1 from the contest reading screen. Read-only: it
// orders and searches the list, and Enter or a double-click picks the member's licence.
#pragma once

#include "member_list.h"
#include "register_browser.h"

namespace kvt {

class ASocio1 : public RegisterBrowser {
  Q_OBJECT

 public:
  explicit ASocio1(QWidget* parent = nullptr);

  QAction* soc9;   // "Buscar"
  QAction* soc17;  // "Salir"

 protected:
  bool event(QEvent* event) override;
  bool fill(bool byLicence) override;
  bool hasRecords() const override { return !members_.members().empty(); }
  QTreeWidgetItem* find(const QString& pattern) override;
  QString patternStart() const override { return memberSearchStart(order()); }
  void leave() override;

 private:
  MemberOrder order() const { return firstOrder() ? MemberOrder::Licence : MemberOrder::Name; }

  MemberRegister members_;
};

}  // namespace kvt
