#include "aconcurso1.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

namespace kvt {

AConcurso1::AConcurso1(QWidget* parent)
    : RegisterBrowser(parent, "AConcurso1", contestList(nullptr), QStringLiteral("&Codigo"),
                      QStringLiteral("&Fecha")) {
  setWindowTitle(QStringLiteral("Ayuda de Concursos"));
  Label1 = new QLabel(QStringLiteral("Mantenimiento de Concursos"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  static_cast<QVBoxLayout*>(layout())->insertWidget(0, Label1);
  // Only "Buscar" and "Salir " work here; the register's other buttons show, disabled.
  finish({{"so1", "Consultar"},
          {"so3", "Grabar uno nuevo"},
          {"so5", "Borrar "},
          {"so7", "Modificar el Club"},
          {"so9", "Buscar"},
          {"so12", "Pal/Club"},
          {"so14", "Modificar Codigo"},
          {"so16", "Clasificación General"},
          {"so18", "Salir "},
          {"so20", "Anular las Palomas"}},
         "so9", "so18", configuredContestOrder() == ContestOrder::Code);
  so9 = Toolbar1->findChild<QAction*>(QStringLiteral("so9"));
  so18 = Toolbar1->findChild<QAction*>(QStringLiteral("so18"));
}

bool AConcurso1::fill(bool byCode) {
  fillContestList(ListView1, contests_, byCode ? ContestOrder::Code : ContestOrder::Date);
  return hasRecords();
}

QTreeWidgetItem* AConcurso1::find(const QString& pattern) {
  return findContest(ListView1, order(), pattern);
}

QString AConcurso1::patternStart() const {
  return order() == ContestOrder::Code ? QString(5, QLatin1Char(' ')) : kBlankDatePattern;
}

}  // namespace kvt
