// "Ayuda de Concursos": the contest list for picking a contest with F1 from the contest reading
// screen. Read-only: it orders and searches the list, and Enter or a double-click picks the
// contest's code.
#pragma once

#include "contest_list.h"
#include "register_browser.h"

class QLabel;

namespace kvt {

class AConcurso1 : public RegisterBrowser {
  Q_OBJECT

 public:
  explicit AConcurso1(QWidget* parent = nullptr);

  QLabel* Label1;  // "Mantenimiento de Concursos"
  QAction* so9;    // "Buscar"
  QAction* so18;   // "Salir "

 protected:
  bool fill(bool byCode) override;
  bool hasRecords() const override { return !contests_.contests().empty(); }
  QTreeWidgetItem* find(const QString& pattern) override;
  QString patternStart() const override;

 private:
  ContestOrder order() const { return firstOrder() ? ContestOrder::Code : ContestOrder::Date; }

  ContestRegister contests_;
};

}  // namespace kvt
