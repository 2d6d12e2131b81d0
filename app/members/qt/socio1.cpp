#include "socio1.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app_state.h"
#include "databases.h"
#include "form_keys.h"
#include "frm_main.h"
#include "messages.h"
#include "register_parts.h"

namespace kvt {

namespace {

const QString kTitle = QStringLiteral("Mantenimiento de Socios");
const QString kExisting = QStringLiteral("Licencia Existente ");

}  // namespace

Socio1::Socio1(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Socio1"));

  ListView1 = memberList(this);
  const OrderPanel orderBox =
      orderPanel(this, QStringLiteral("&Licencia"), QStringLiteral("&Nombre"));
  Frame3 = orderBox.Frame3;
  Option1 = orderBox.Option1;
  Option2 = orderBox.Option2;
  const SearchPanel searchBox = searchPanel(this);
  Frame1 = searchBox.Frame1;
  Text1 = searchBox.Text1;
  Command1 = searchBox.Command1;
  Command2 = searchBox.Command2;

  Frame4 = hiddenPanel(this, "Frame4", QStringLiteral("Alta de Socio"));
  Label11 = new QLabel(QStringLiteral("Licencia"));
  Label11->setObjectName(QStringLiteral("Label11"));
  Text2 = panelBox("Text2");
  Text2->setMaxLength(5);
  Command3 = panelButton("Command3", QStringLiteral("&Aceptar"));
  Command4 = panelButton("Command4", QStringLiteral("&Cancelar"));
  auto* addLayout = new QHBoxLayout(Frame4);
  addLayout->addWidget(Label11);
  addLayout->addWidget(Text2, 1);
  addLayout->addWidget(Command3);
  addLayout->addWidget(Command4);

  Frame6 = hiddenPanel(this, "Frame6", QStringLiteral("Socio"));
  Text7 = panelBox("Text7");
  Text7->setMaxLength(5);  // a longer licence could never be looked up by the reading screen
  Text5 = panelBox("Text5");
  Label2 = new QLabel(QStringLiteral("Nº de Reloj"));
  Label2->setObjectName(QStringLiteral("Label2"));
  Text6 = panelBox("Text6");
  Command7 = panelButton("Command7", QStringLiteral("Aceptar"));
  Command8 = panelButton("Command8", QStringLiteral("Cancelar"));
  auto* memberLayout = new QFormLayout(Frame6);
  memberLayout->addRow(QStringLiteral("Licencia"), Text7);
  memberLayout->addRow(QStringLiteral("Nombre"), Text5);
  memberLayout->addRow(Label2, Text6);
  auto* memberButtons = new QHBoxLayout;
  memberButtons->addWidget(Command7);
  memberButtons->addWidget(Command8);
  memberLayout->addRow(memberButtons);

  Frame2 = hintPanel(
      this, {QStringLiteral("1 Alta"), QStringLiteral("2 Borrar"), QStringLiteral("3 Modificar"),
             QStringLiteral("4 Buscar"), QStringLiteral("5 Palomas"), QStringLiteral("7 Salir"),
             QStringLiteral("8 Borrar T")});

  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  soc3 = toolButton(Toolbar1, "soc3", QStringLiteral("Grabar uno nuevo"));
  Toolbar1->addSeparator()->setObjectName(QStringLiteral("soc4"));
  soc5 = toolButton(Toolbar1, "soc5", QStringLiteral("Borrar "));
  Toolbar1->addSeparator()->setObjectName(QStringLiteral("soc6"));
  soc7 = toolButton(Toolbar1, "soc7", QStringLiteral("Modificar"));
  Toolbar1->addSeparator()->setObjectName(QStringLiteral("soc8"));
  soc9 = toolButton(Toolbar1, "soc9", QStringLiteral("Buscar"));
  Toolbar1->addSeparator()->setObjectName(QStringLiteral("soc10"));
  soc11 = toolButton(Toolbar1, "soc11", QStringLiteral("Palomas"));
  Toolbar1->addSeparator()->setObjectName(QStringLiteral("soc12"));
  soc14 = toolButton(Toolbar1, "soc14", QString());
  soc17 = toolButton(Toolbar1, "soc17", QStringLiteral("Salir"));
  Toolbar1->addSeparator()->setObjectName(QStringLiteral("soc18"));
  soc19 = toolButton(Toolbar1, "soc19", QString());
  soc19->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
  soc19->setToolTip(QStringLiteral("Borrar todos los Socios"));

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(Toolbar1);
  layout->addWidget(ListView1, 1);
  layout->addWidget(Frame3);
  layout->addWidget(Frame1);
  layout->addWidget(Frame4);
  layout->addWidget(Frame6);
  layout->addWidget(Frame2);

  enterMovesFocus(this);
  for (QLineEdit* box : {Text1, Text7, Text5, Text6}) selectAllOnFocus(box);
  // The screen sees every key, and its controls' focus, first.
  qApp->installEventFilter(this);
  connect(soc3, &QAction::triggered, this, &Socio1::startAdd);
  connect(soc5, &QAction::triggered, this, &Socio1::remove);
  connect(soc7, &QAction::triggered, this, &Socio1::modify);
  connect(soc9, &QAction::triggered, this, [this] { startSearch(true); });
  connect(soc17, &QAction::triggered, this, &QWidget::close);
  connect(soc19, &QAction::triggered, this, &Socio1::removeAll);
  connect(Command1, &QPushButton::clicked, this, &Socio1::search);
  connect(Command2, &QPushButton::clicked, this, &Socio1::endSearch);
  connect(Command3, &QPushButton::clicked, this, &Socio1::acceptNewLicence);
  connect(Command4, &QPushButton::clicked, this, [this] {
    Text2->clear();
    Frame4->hide();
    setToolbarState();
  });
  connect(Command7, &QPushButton::clicked, this, &Socio1::save);
  connect(Command8, &QPushButton::clicked, Frame6, &QWidget::hide);

  // Opening.
  order_ = configuredMemberOrder();
  (order_ == MemberOrder::Licence ? Option1 : Option2)->setChecked(true);
  fillList();
  setToolbarState();
  setWindowTitle(QStringLiteral("Mantenimiento de Socios Año : ") +
                 QString::number(QDate::currentDate().year()));
  placeInTwips(this, 50, 0, 8900, 7350);
  ListView1->setFocus();
}

bool Socio1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) setStatusText(kTitle);
  return QDialog::event(event);
}

void Socio1::keyPressEvent(QKeyEvent* event) {
  // Escape does not close the register and drop what the panels hold.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

bool Socio1::eventFilter(QObject* watched, QEvent* event) {
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
      return handleKey(watched, static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
      Frame2->hide();
      return false;
    case QEvent::FocusIn:
      if (!isFocusStep(event)) return false;
      if (watched == Option1) chooseOrder(MemberOrder::Licence);
      if (watched == Option2) chooseOrder(MemberOrder::Name);
      if (watched == Text1) Text1->setText(memberSearchStart(order_));
      if (watched == Text7) Text7->setText(licence_);
      if (watched == Text2) {
        Text2->clear();
        setStatusText(QStringLiteral("Escribir la licencia del Socio  "));
      }
      return false;
    case QEvent::FocusOut:
      if (watched == Text5) Text5->setText(Text5->text().toUpper());
      if (watched == Text2 && isFocusStep(event)) newLicenceLeft();
      return false;
    default:
      return false;
  }
}

bool Socio1::handleKey(QObject* watched, const QKeyEvent* key) {
  if (key->key() == Qt::Key_Control) Frame2->show();
  if (watched == Text2 && key->key() == Qt::Key_Escape) {
    Frame4->hide();
    setToolbarState();
    return true;
  }
  switch (ctrlDigit(key)) {
    case 1:
      takeSelectedLicence();
      Frame2->hide();
      return true;
    case 2:
      startAdd();
      return true;
    case 3:
      remove();
      return true;
    case 4:
      takeSelectedLicence();
      return true;
    case 5:
      if (hasMembers()) startSearch(false);
      return true;
    case 9:
      close();
      return true;
    default:
      return false;
  }
}

bool Socio1::hasMembers() const {
  return members_.recordCount() > 0;
}

void Socio1::fillList() {
  listMembers(ListView1, order_, members_, NoClock::Blank);
}

void Socio1::chooseOrder(MemberOrder order) {
  order_ = order;
  (order == MemberOrder::Licence ? Option1 : Option2)->setChecked(true);
  fillList();
  ListView1->setFocus();
}

void Socio1::setToolbarState() {
  soc3->setEnabled(true);
  soc17->setEnabled(true);
  for (QAction* button : {soc5, soc7, soc9, soc11, soc19}) button->setEnabled(hasMembers());
}

void Socio1::disableToolbar() {
  for (QAction* button : {soc3, soc5, soc7, soc9, soc11, soc17}) button->setEnabled(false);
}

void Socio1::startAdd() {
  disableToolbar();
  modifying_ = false;
  Frame4->show();
  Text2->setFocus();
}

void Socio1::newLicenceLeft() {
  if (Frame4->isHidden() || Text2->text().isEmpty()) return;
  setStatusText(kTitle);
  licence_ = Text2->text();
  // "&Aceptar" checks the licence itself, and "&Cancelar" drops it: one click, no second notice.
  const QWidget* next = QApplication::focusWidget();
  if (next == Command3 || next == Command4) return;
  if (!licenceRefusal(licence_).isEmpty()) {
    showNotice(this, kExisting, QStringLiteral("Aviso"));
    focusLater(Text2);
  }
}

void Socio1::acceptNewLicence() {
  licence_ = Text2->text();
  if (const QString refusal = licenceRefusal(licence_); !refusal.isEmpty()) {
    showNotice(this, refusal, QStringLiteral("Aviso"));
    focusLater(Text2);
    return;
  }
  // A new member starts without the name and clock number of the last one shown.
  Text5->clear();
  Text6->clear();
  Frame6->show();
  Frame4->hide();
  setToolbarState();
  Text7->setFocus();
}

void Socio1::takeSelectedLicence() {
  const QTreeWidgetItem* row = selectedRow(ListView1);
  if (!hasMembers() || row == nullptr) return;
  licence_ = rowTag(row);
  modifying_ = true;
}

void Socio1::modify() {
  const QTreeWidgetItem* row = selectedRow(ListView1);
  if (row == nullptr) return;
  licence_ = rowTag(row);
  cnombre = row->text(1);
  // A member without a clock number shows a blank, which is not his number.
  cnreloj = row->text(2).trimmed();
  modifying_ = true;
  Frame6->show();
  Text7->setText(licence_);
  Text5->setText(cnombre);
  Text6->setText(cnreloj);
  Text7->setFocus();
}

QString Socio1::licenceRefusal(const QString& licence) const {
  const QString wanted = licence.trimmed();
  if (wanted.isEmpty()) return QStringLiteral("Escriba la licencia del socio.");
  RecordSet all;
  if (!all.open(kPalConnection, QStringLiteral("select * from socios"))) return all.lastError();
  for (all.moveFirst(); !all.eof(); all.moveNext()) {
    const QString stored = all.value(QStringLiteral("slicencia")).toString().trimmed();
    // The member being changed may keep his own licence.
    if (modifying_ && stored.compare(licence_.trimmed(), Qt::CaseInsensitive) == 0) continue;
    if (stored.compare(wanted, Qt::CaseInsensitive) == 0) return kExisting;
  }
  return {};
}

void Socio1::save() {
  if (const QString refusal = licenceRefusal(Text7->text()); !refusal.isEmpty()) {
    showNotice(this, refusal, QStringLiteral("Aviso"));
    Text7->setFocus();
    return;
  }
  if (modifying_) {
    members_.findFirst(
        {QStringLiteral("slicencia"), Criterion::Test::TrimmedEquals, licence_.trimmed()});
    if (members_.noMatch() || !members_.edit()) {
      showWarning(this, QStringLiteral("El socio %1 ya no está en la base de datos; no se ha "
                                       "modificado nada.")
                            .arg(licence_.trimmed()));
      Frame6->hide();
      fillList();
      return;
    }
  } else {
    members_.addNew();
  }
  members_.setValue(QStringLiteral("slicencia"), Text7->text());
  members_.setValue(QStringLiteral("snombre"), Text5->text().toUpper());
  members_.setValue(QStringLiteral("slicenreloj"), Text6->text().toUpper());
  if (!members_.update()) {
    members_.cancelUpdate();
    showWarning(this, members_.lastError());
    return;
  }
  // The reading screens look members up in the shared record set.
  rsSocios.requery();
  fillList();
  Frame6->hide();
  setToolbarState();
}

void Socio1::remove() {
  if (!hasMembers()) return;
  QTreeWidgetItem* row = selectedRow(ListView1);
  if (row == nullptr) return;
  const QString licence = rowTag(row);
  if (!askYesNo(this, QStringLiteral("¿Desea Borrar el Socio?"), QStringLiteral("Atención"))) {
    selectRow(ListView1, row);
    ListView1->setFocus();
    return;
  }
  members_.findFirst({QStringLiteral("slicencia"), Criterion::Test::TrimmedEquals, licence});
  if (members_.noMatch()) {
    showWarning(this, QStringLiteral("El socio %1 no está en la base de datos; no se ha borrado "
                                     "nada.")
                          .arg(licence));
    return;
  }
  if (!members_.remove()) {
    showWarning(this, members_.lastError());
    return;
  }
  rsSocios.requery();
  delete row;
  selectRow(ListView1, ListView1->currentItem());
  ListView1->setFocus();
  members_.requery();
  setToolbarState();
}

void Socio1::removeAll() {
  if (!askYesNo(this, QStringLiteral("¿Desea Borrar todos los Socios?"),
                QStringLiteral("Atención"))) {
    return;
  }
  RecordSet all;
  if (!all.open(kPalConnection, QStringLiteral("select * from socios")) || !all.removeAll()) {
    showWarning(this, all.lastError());
    return;
  }
  rsSocios.requery();
  // The list shows what the register holds: nothing.
  fillList();
  setToolbarState();
}

void Socio1::startSearch(bool captioned) {
  disableToolbar();
  if (captioned) {
    Frame1->setTitle(order_ == MemberOrder::Licence
                         ? QStringLiteral("Patron de Busqueda por Codigo")
                         : QStringLiteral("Patron de Busqueda por Nombre"));
  }
  openSearchPanel(Frame1, Frame3, Text1);
}

void Socio1::search() {
  if (showSearchResult(ListView1, findMember(ListView1, order_, Text1->text()), Text1)) endSearch();
}

void Socio1::endSearch() {
  closeSearchPanel(Frame1, Frame3);
  setToolbarState();
}

}  // namespace kvt
