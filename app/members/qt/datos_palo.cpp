#include "datos_palo.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>

#include "ansi_text.h"
#include "app_state.h"
#include "civil_date.h"
#include "databases.h"
#include "form_keys.h"
#include "frm_kvt_monitor.h"
#include "listing_rows.h"
#include "messages.h"
#include "pigeon_file.h"
#include "register_parts.h"
#include "unsaved_pigeons.h"

namespace kvt {

DatosPalo::DatosPalo(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("DatosPalo"));
  setWindowTitle(QStringLiteral("Extraer Palomas y hacer Archivo desde el Reloj"));

  Text6 = new QLineEdit(this);
  Text6->setObjectName(QStringLiteral("Text6"));
  ListView1 = new QTreeWidget(this);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setRootIsDecorated(false);
  ListView1->setHeaderLabels(archiveColumns());
  Label35 = new QLabel(this);
  Label35->setObjectName(QStringLiteral("Label35"));
  Label4 = new QLabel(this);
  Label4->setObjectName(QStringLiteral("Label4"));
  Command6 = new QPushButton(QStringLiteral("Leer Reloj"), this);
  Command6->setObjectName(QStringLiteral("Command6"));
  Command1 = new QPushButton(QStringLiteral("Grabar Archivo"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  for (QPushButton* button : {Command6, Command1}) button->setAutoDefault(false);
  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  col5 = toolButton(Toolbar1, "col5", QStringLiteral("Salir"));

  auto* layout = new QGridLayout(this);
  layout->setMenuBar(Toolbar1);
  layout->addWidget(Command6, 0, 1);
  layout->addWidget(Text6, 1, 0, 1, 2);
  layout->addWidget(ListView1, 2, 0, 1, 2);
  layout->addWidget(Label35, 3, 0);
  layout->addWidget(Label4, 3, 1);
  layout->addWidget(Command1, 4, 1);

  enterMovesFocus(this);
  connect(Command6, &QPushButton::clicked, this, [this] { readClock(*this, objectName()); });
  connect(Command1, &QPushButton::clicked, this, &DatosPalo::writeFile);
  connect(col5, &QAction::triggered, this, &QWidget::close);
  followUnsavedPigeons(ListView1, Command1, Label35, Label4);

  // Opening.
  placeInTwips(this, 500, 0, 11300, 8300);
  formllama.clear();
  col5->setEnabled(true);
}

bool DatosPalo::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    col5->setEnabled(true);
    const int rows = ListView1->topLevelItemCount();
    Label35->setText(rows == 0 ? QStringLiteral("0 Palomas ")
                               : QStringLiteral("%1 Palomas Leidas").arg(rows));
  }
  return QWidget::event(event);
}

void DatosPalo::writeFile() {
  if (ListView1->topLevelItemCount() == 0) return;
  const WrittenFile written =
      GrabaPalomas({toAnsi(Text6->text()), archiveRows(*ListView1),
                    toAnsi(rsConfig.value(QStringLiteral("confmsdos")).toString()), localToday()});
  if (!written.ok) {
    showWarning(this, QString::fromStdString(written.error), QStringLiteral("Aviso"));
    return;
  }
  showNotice(this,
             QStringLiteral("El Archivo :%1.Txt ha sido creado\n%2")
                 .arg(QString::fromStdU16String(written.path.stem().u16string()),
                      shownPath(written.path)),
             QStringLiteral("Aviso"));
  Command1->setEnabled(false);
  Label4->setText(QStringLiteral("%1 Palomas Grabadas").arg(written.pigeonLines));
  ListView1->setFocus();
}

}  // namespace kvt
