#include "register_browser.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app_state.h"
#include "form_keys.h"

namespace kvt {

RegisterBrowser::RegisterBrowser(QWidget* parent, const char* name, QTreeWidget* list,
                                 const QString& first, const QString& second)
    : QDialog(parent), ListView1(list) {
  setObjectName(QLatin1String(name));
  ListView1->setParent(this);
  const OrderPanel orderBox = orderPanel(this, first, second);
  Frame3 = orderBox.Frame3;
  Option1 = orderBox.Option1;
  Option2 = orderBox.Option2;
  const SearchPanel searchBox = searchPanel(this);
  Frame1 = searchBox.Frame1;
  Text1 = searchBox.Text1;
  Command1 = searchBox.Command1;
  Command2 = searchBox.Command2;
  Frame2 = hintPanel(this, {QStringLiteral("5 Buscar"), QStringLiteral("9 Salir")});
  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(Toolbar1);
  layout->addWidget(ListView1, 1);
  layout->addWidget(Frame3);
  layout->addWidget(Frame1);
  layout->addWidget(Frame2);

  selectAllOnFocus(Text1);
  // The browser sees every key, and its controls' focus, first.
  qApp->installEventFilter(this);
  connect(Command1, &QPushButton::clicked, this, &RegisterBrowser::search);
  connect(Command2, &QPushButton::clicked, this, [this] { closeSearchPanel(Frame1, Frame3); });
  connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (hasRecords()) pick();
  });
}

void RegisterBrowser::finish(const std::vector<std::pair<const char*, const char*>>& buttons,
                             const char* searchKey, const char* leaveKey, bool firstOrder) {
  for (const auto& [key, text] : buttons) {
    QAction* button = toolButton(Toolbar1, key, QString::fromUtf8(text));
    const QLatin1String name(key);
    button->setEnabled(name == QLatin1String(searchKey) || name == QLatin1String(leaveKey));
    if (name == QLatin1String(searchKey))
      connect(button, &QAction::triggered, this, &RegisterBrowser::startSearch);
    if (name == QLatin1String(leaveKey))
      connect(button, &QAction::triggered, this, &RegisterBrowser::leave);
  }
  firstOrder_ = firstOrder;
  (firstOrder ? Option1 : Option2)->setChecked(true);
  fill(firstOrder);
  // Wide enough for every toolbar button and every column, so that none hides.
  int columns = 0;
  for (int column = 0; column < ListView1->columnCount(); ++column)
    columns += ListView1->columnWidth(column);
  const int list = columns + 2 * ListView1->frameWidth() +
                   ListView1->verticalScrollBar()->sizeHint().width();
  const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
  resize(std::max(Toolbar1->sizeHint().width(), list) + margins,
         std::max(sizeHint().height(), 420));
  ListView1->setFocus();
}

bool RegisterBrowser::eventFilter(QObject* watched, QEvent* event) {
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::KeyRelease) {
    Frame2->hide();
  } else if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (key->key() == Qt::Key_Control) Frame2->show();
    if (ctrlDigit(key) == 5) {
      if (hasRecords()) startSearch();
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
  } else if (event->type() == QEvent::FocusIn && isFocusStep(event)) {
    if (watched == Option1) chooseOrder(true);
    if (watched == Option2) chooseOrder(false);
    if (watched == Text1) Text1->setText(patternStart());
  }
  return QDialog::eventFilter(watched, event);
}

void RegisterBrowser::chooseOrder(bool first) {
  firstOrder_ = first;
  (first ? Option1 : Option2)->setChecked(true);
  fill(first);
  ListView1->setFocus();
}

void RegisterBrowser::startSearch() {
  openSearchPanel(Frame1, Frame3, Text1);
}

void RegisterBrowser::search() {
  if (showSearchResult(ListView1, find(Text1->text()), Text1)) closeSearchPanel(Frame1, Frame3);
}

void RegisterBrowser::pick() {
  // Only the contest reading screen takes what a browser picks.
  if (formllama != QLatin1String("DatosConcur")) return;
  const QTreeWidgetItem* row = selectedRow(ListView1);
  if (row == nullptr) return;
  picked_ = row->text(0);
  accept();
}

}  // namespace kvt
