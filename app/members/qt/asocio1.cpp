#include "asocio1.h"

#include <QAction>
#include <QEvent>
#include <QToolBar>
#include <QWidget>

#include "frm_main.h"

namespace kvt {

ASocio1::ASocio1(QWidget* parent)
    : RegisterBrowser(parent, "ASocio1", memberList(nullptr), QStringLiteral("&Licencia"),
                      QStringLiteral("&Nombre")) {
  setWindowTitle(QStringLiteral("Mantenimiento de Socios "));
  // Only "Buscar" and "Salir" work here; the register's other buttons show, disabled.
  finish({{"soc1", "Consultar"},
          {"soc3", "Grabar uno nuevo"},
          {"soc5", "Borrar "},
          {"soc7", "Modificar"},
          {"soc9", "Buscar"},
          {"soc11", "Palomas"},
          {"soc13", "Cambio de Licencia"},
          {"soc15", "Anilla"},
          {"soc17", "Salir"}},
         "soc9", "soc17", configuredMemberOrder() == MemberOrder::Licence);
  soc9 = Toolbar1->findChild<QAction*>(QStringLiteral("soc9"));
  soc17 = Toolbar1->findChild<QAction*>(QStringLiteral("soc17"));
  Frame2->show();
}

bool ASocio1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate)
    setStatusText(QStringLiteral("Mantenimiento de Socios"));
  return RegisterBrowser::event(event);
}

bool ASocio1::fill(bool byLicence) {
  listMembers(ListView1, members_, byLicence ? MemberOrder::Licence : MemberOrder::Name,
              NoClock::Empty);
  return hasRecords();
}

QTreeWidgetItem* ASocio1::find(const QString& pattern) {
  return findMember(ListView1, members_, order(), pattern);
}

void ASocio1::leave() {
  setStatusText(QStringLiteral("Federación Colombófila Norvela"));
  close();
}

}  // namespace kvt
