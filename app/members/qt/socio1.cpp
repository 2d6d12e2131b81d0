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
      if (watched == Text2 && isFocusStep(event))
        newLicenceLeft(static_cast<const QFocusEvent*>(event));
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
  return !members_.members().empty();
}

void Socio1::fillList(std::int64_t selected) {
  listMembers(ListView1, members_, order_, NoClock::Blank, selected);
}

bool Socio1::written(const Saved& saved) {
  return writtenOrTold(this, saved, [this] {
    // A change another program got in first keeps what was typed, now over the member as he is
    // stored, or as a new member when he is gone.
    const bool typing = changed_ && !Frame6->isHidden();
    fillList(typing ? changed_->id : 0);
    if (typing) {
      const Member* stored = findById(members_.members(), changed_->id);
      changed_ = stored != nullptr ? std::optional<Member>(*stored) : std::nullopt;
      Text7->setFocus();
    } else {
      Frame6->hide();
    }
    setToolbarState();
  });
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
  changed_.reset();
  Frame4->show();
  Text2->setFocus();
}

void Socio1::newLicenceLeft(const QFocusEvent* event) {
  if (Frame4->isHidden() || Text2->text().isEmpty()) return;
  setStatusText(kTitle);
  licence_ = Text2->text();
  // A click on "&Aceptar" checks the licence itself, and one on "&Cancelar" drops it: one click,
  // no second notice. Tab and Enter check it here.
  const QWidget* next = QApplication::focusWidget();
  if (event->reason() == Qt::MouseFocusReason && (next == Command3 || next == Command4)) return;
  if (const QString refusal = members_.licenceRefusal(licence_, 0); !refusal.isEmpty())
    refuseNewLicence(refusal);
}

void Socio1::refuseNewLicence(const QString& refusal) {
  showNotice(this, refusal, QStringLiteral("Aviso"));
  // What is typed next is a new licence, not more of the refused one.
  Text2->clear();
  focusLater(Text2);
}

void Socio1::acceptNewLicence() {
  licence_ = Text2->text();
  if (const QString refusal = members_.licenceRefusal(licence_, 0); !refusal.isEmpty()) {
    refuseNewLicence(refusal);
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
  const Member* member = selectedMember(ListView1, members_);
  if (member == nullptr) return;
  licence_ = member->licence.trimmed();
  changed_ = *member;
}

void Socio1::modify() {
  const Member* member = selectedMember(ListView1, members_);
  if (member == nullptr) return;
  changed_ = *member;
  licence_ = member->licence.trimmed();
  Frame6->show();
  Text7->setText(licence_);
  Text5->setText(member->name.toString().toUpper());
  Text6->setText(member->clock.toString().trimmed());
  Text7->setFocus();
}

void Socio1::save() {
  // A licence left as it was shown keeps what is stored, blanks and all, and is no new claim on
  // a licence that another member may share with it.
  const bool licenceKept = changed_ && Text7->text() == changed_->licence.trimmed();
  const QString licence = licenceKept ? changed_->licence : Text7->text();
  const std::int64_t member = changed_ ? changed_->id : 0;
  if (const QString refusal = licenceKept ? QString() : members_.licenceRefusal(licence, member);
      !refusal.isEmpty()) {
    showNotice(this, refusal, QStringLiteral("Aviso"));
    Text7->setFocus();
    return;
  }
  const MemberEntry entry{licence, Text5->text(), Text6->text()};
  const Saved saved = changed_ ? members_.change(*changed_, entry) : members_.add(entry);
  if (!written(saved)) return;
  Frame6->hide();
  changed_.reset();
  fillList(saved.id);
  setToolbarState();
  ListView1->setFocus();
}

void Socio1::remove() {
  if (!hasMembers()) return;
  QTreeWidgetItem* row = selectedRow(ListView1);
  const Member* listed = selectedMember(ListView1, members_);
  if (row == nullptr || listed == nullptr) return;
  const Member member = *listed;
  const int position = ListView1->indexOfTopLevelItem(row);
  if (!askYesNo(this, QStringLiteral("¿Desea Borrar el Socio?"), QStringLiteral("Atención"))) {
    selectRow(ListView1, row);
    ListView1->setFocus();
    return;
  }
  if (!written(members_.remove(member))) return;
  fillList();
  // The row that took the removed one's place, or the last one.
  const int rows = ListView1->topLevelItemCount();
  if (rows > 0) selectRow(ListView1, ListView1->topLevelItem(std::min(position, rows - 1)));
  ListView1->setFocus();
  setToolbarState();
}

void Socio1::removeAll() {
  if (!askYesNo(this, QStringLiteral("¿Desea Borrar todos los Socios?"),
                QStringLiteral("Atención"))) {
    return;
  }
  if (!written(members_.removeAll())) return;
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
  if (showSearchResult(ListView1, findMember(ListView1, members_, order_, Text1->text()), Text1))
    endSearch();
}

void Socio1::endSearch() {
  closeSearchPanel(Frame1, Frame3);
  setToolbarState();
}

}  // namespace kvt
