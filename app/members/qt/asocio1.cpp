#include "asocio1.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app_state.h"
#include "form_keys.h"
#include "frm_main.h"
#include "messages.h"
#include "register_parts.h"

namespace kvt {

ASocio1::ASocio1(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ASocio1"));

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
  Frame2 = hintPanel(this, {QStringLiteral("5 Buscar"), QStringLiteral("9 Salir")});

  // Only "Buscar" and "Salir" work here; the register's other buttons show, disabled.
  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  const std::pair<const char*, const char*> buttons[] = {
      {"soc1", "Consultar"},           {"soc3", "Grabar uno nuevo"}, {"soc5", "Borrar "},
      {"soc7", "Modificar"},           {"soc9", "Buscar"},           {"soc11", "Palomas"},
      {"soc13", "Cambio de Licencia"}, {"soc15", "Anilla"},          {"soc17", "Salir"}};
  int separator = 2;
  for (const auto& [key, text] : buttons) {
    QAction* button = toolButton(Toolbar1, key, QString::fromUtf8(text));
    button->setEnabled(false);
    if (separator <= 16)
      Toolbar1->addSeparator()->setObjectName(QStringLiteral("soc%1").arg(separator));
    separator += 2;
  }
  soc9 = Toolbar1->findChild<QAction*>(QStringLiteral("soc9"));
  soc17 = Toolbar1->findChild<QAction*>(QStringLiteral("soc17"));
  soc9->setEnabled(true);
  soc17->setEnabled(true);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(Toolbar1);
  layout->addWidget(ListView1, 1);
  layout->addWidget(Frame3);
  layout->addWidget(Frame1);
  layout->addWidget(Frame2);

  selectAllOnFocus(Text1);
  // The browser sees every key, and its controls' focus, first.
  qApp->installEventFilter(this);
  connect(soc9, &QAction::triggered, this, &ASocio1::startSearch);
  connect(soc17, &QAction::triggered, this, &ASocio1::leave);
  connect(Command1, &QPushButton::clicked, this, &ASocio1::search);
  connect(Command2, &QPushButton::clicked, this, [this] { closeSearchPanel(Frame1, Frame3); });
  connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (members_.recordCount() > 0) pick();
  });

  // Opening.
  order_ = configuredMemberOrder();
  (order_ == MemberOrder::Licence ? Option1 : Option2)->setChecked(true);
  setWindowTitle(QStringLiteral("Mantenimiento de Socios "));
  listMembers(ListView1, order_, members_, NoClock::Empty);
  Frame2->show();
  ListView1->setFocus();
}

bool ASocio1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate)
    setStatusText(QStringLiteral("Mantenimiento de Socios"));
  return QDialog::event(event);
}

bool ASocio1::eventFilter(QObject* watched, QEvent* event) {
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return false;
  if (event->type() == QEvent::KeyPress) return handleKey(watched, static_cast<QKeyEvent*>(event));
  if (event->type() == QEvent::KeyRelease) Frame2->hide();
  if (event->type() == QEvent::FocusIn && isFocusStep(event)) {
    if (watched == Option1) chooseOrder(MemberOrder::Licence);
    if (watched == Option2) chooseOrder(MemberOrder::Name);
    if (watched == Text1) Text1->setText(memberSearchStart(order_));
  }
  return false;
}

bool ASocio1::handleKey(QObject* watched, const QKeyEvent* key) {
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (key->key() == Qt::Key_Control) Frame2->show();
  if (ctrlDigit(key) == 5) {
    if (members_.recordCount() > 0) startSearch();
    return true;
  }
  if (ctrlDigit(key) == 9) {
    leave();
    return true;
  }
  if (enter && watched == Text1) {
    search();
    return true;
  }
  if (enter && watched == ListView1) {
    pick();
    return true;
  }
  if (key->key() == Qt::Key_Escape && watched == ListView1) {
    reject();
    return true;
  }
  return false;
}

void ASocio1::chooseOrder(MemberOrder order) {
  order_ = order;
  (order == MemberOrder::Licence ? Option1 : Option2)->setChecked(true);
  listMembers(ListView1, order_, members_, NoClock::Empty);
  ListView1->setFocus();
}

void ASocio1::startSearch() {
  openSearchPanel(Frame1, Frame3, Text1);
}

void ASocio1::search() {
  if (showSearchResult(ListView1, findMember(ListView1, order_, Text1->text()), Text1))
    closeSearchPanel(Frame1, Frame3);
}

void ASocio1::pick() {
  if (formllama != QLatin1String("DatosConcur")) return;
  const QTreeWidgetItem* row = selectedRow(ListView1);
  QLineEdit* box = callerBox(formllama, "Text3");
  if (row == nullptr || box == nullptr) return;
  box->setText(rowTag(row));
  accept();
}

void ASocio1::leave() {
  setStatusText(QStringLiteral("Federación Colombófila Norvela"));
  close();
}

}  // namespace kvt
