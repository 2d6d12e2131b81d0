#include "aconcurso1.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app_state.h"
#include "databases.h"
#include "form_keys.h"
#include "messages.h"
#include "register_parts.h"

namespace kvt {

AConcurso1::AConcurso1(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AConcurso1"));
  setWindowTitle(QStringLiteral("Ayuda de Concursos"));

  Label1 = new QLabel(QStringLiteral("Mantenimiento de Concursos"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  ListView1 = contestList(this);
  const OrderPanel orderBox = orderPanel(this, QStringLiteral("&Codigo"), QStringLiteral("&Fecha"));
  Frame3 = orderBox.Frame3;
  Option1 = orderBox.Option1;
  Option2 = orderBox.Option2;
  const SearchPanel searchBox = searchPanel(this);
  Frame1 = searchBox.Frame1;
  Text1 = searchBox.Text1;
  Command1 = searchBox.Command1;
  Command2 = searchBox.Command2;
  Frame2 = hintPanel(this, {QStringLiteral("5 Buscar"), QStringLiteral("9 Salir")});

  // Only "Buscar" and "Salir " work here; the register's other buttons show, disabled.
  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  const std::pair<const char*, const char*> disabled[] = {{"so1", "Consultar"},
                                                          {"so3", "Grabar uno nuevo"},
                                                          {"so5", "Borrar "},
                                                          {"so7", "Modificar el Club"}};
  for (const auto& [key, text] : disabled)
    toolButton(Toolbar1, key, QString::fromUtf8(text))->setEnabled(false);
  so9 = toolButton(Toolbar1, "so9", QStringLiteral("Buscar"));
  for (const auto& [key, text] :
       {std::pair{"so12", "Pal/Club"}, std::pair{"so14", "Modificar Codigo"},
        std::pair{"so16", "Clasificación General"}})
    toolButton(Toolbar1, key, QString::fromUtf8(text))->setEnabled(false);
  so18 = toolButton(Toolbar1, "so18", QStringLiteral("Salir "));
  toolButton(Toolbar1, "so20", QStringLiteral("Anular las Palomas"))->setEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(Toolbar1);
  layout->addWidget(Label1);
  layout->addWidget(ListView1, 1);
  layout->addWidget(Frame3);
  layout->addWidget(Frame1);
  layout->addWidget(Frame2);

  selectAllOnFocus(Text1);
  // The browser sees every key, and its controls' focus, first.
  qApp->installEventFilter(this);
  connect(so9, &QAction::triggered, this, &AConcurso1::startSearch);
  connect(so18, &QAction::triggered, this, &QWidget::close);
  connect(Command1, &QPushButton::clicked, this, &AConcurso1::search);
  connect(Command2, &QPushButton::clicked, this, [this] { closeSearchPanel(Frame1, Frame3); });
  connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (rsConcurso.recordCount() > 0) pick();
  });

  // Opening.
  order_ = configuredContestOrder();
  (order_ == ContestOrder::Code ? Option1 : Option2)->setChecked(true);
  fillContestList(ListView1, order_);
  ListView1->setFocus();
}

bool AConcurso1::eventFilter(QObject* watched, QEvent* event) {
  const auto* widget = qobject_cast<QWidget*>(watched);
  const bool mine = widget != nullptr && widget->window() == this;
  if (mine && event->type() == QEvent::KeyRelease) {
    Frame2->hide();
  } else if (mine && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (key->key() == Qt::Key_Control) Frame2->show();
    if (ctrlDigit(key) == 5) {
      if (rsConcurso.recordCount() > 0) startSearch();
      return true;
    }
    if (ctrlDigit(key) == 9) {
      close();
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
  } else if (mine && event->type() == QEvent::FocusIn && isFocusStep(event)) {
    if (watched == Option1) chooseOrder(ContestOrder::Code);
    if (watched == Option2) chooseOrder(ContestOrder::Date);
    if (watched == Text1)
      Text1->setText(order_ == ContestOrder::Code ? QString(5, QLatin1Char(' '))
                                                  : kBlankDatePattern);
  }
  return QDialog::eventFilter(watched, event);
}

void AConcurso1::chooseOrder(ContestOrder order) {
  order_ = order;
  (order == ContestOrder::Code ? Option1 : Option2)->setChecked(true);
  fillContestList(ListView1, order_);
  ListView1->setFocus();
}

void AConcurso1::startSearch() {
  openSearchPanel(Frame1, Frame3, Text1);
}

void AConcurso1::search() {
  if (showSearchResult(ListView1, findContest(ListView1, order_, Text1->text()), Text1))
    closeSearchPanel(Frame1, Frame3);
}

void AConcurso1::pick() {
  if (formllama != QLatin1String("DatosConcur")) return;
  QTreeWidgetItem* row = selectedRow(ListView1);
  QLineEdit* box = callerBox(formllama, "Text1");
  if (row == nullptr || box == nullptr) return;
  box->setText(rowTag(row));
  accept();
}

}  // namespace kvt
