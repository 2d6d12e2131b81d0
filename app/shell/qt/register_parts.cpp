#include "register_parts.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QTreeWidget>

#include "messages.h"

namespace kvt {

void placeInTwips(QWidget* window, int left, int top, int width, int height) {
  constexpr int kTwipsPerPixel = 15;
  window->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                      height / kTwipsPerPixel);
}

QAction* toolButton(QToolBar* bar, const char* key, const QString& text) {
  QAction* action = bar->addAction(text);
  action->setObjectName(QLatin1String(key));
  return action;
}

QTreeWidget* registerList(QWidget* parent, const QStringList& headers) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QStringLiteral("ListView1"));
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setHeaderLabels(headers);
  return list;
}

QString rowTag(const QTreeWidgetItem* row) {
  return row != nullptr ? row->data(0, Qt::UserRole).toString() : QString();
}

void setRowTag(QTreeWidgetItem* row, const QString& tag) {
  row->setData(0, Qt::UserRole, tag);
}

void selectRow(QTreeWidget* list, QTreeWidgetItem* row) {
  list->clearSelection();
  if (row == nullptr) return;
  list->setCurrentItem(row);
  row->setSelected(true);
  list->scrollToItem(row);
}

QTreeWidgetItem* selectedRow(const QTreeWidget* list) {
  const QList<QTreeWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

OrderPanel orderPanel(QWidget* parent, const QString& first, const QString& second) {
  OrderPanel panel{new QGroupBox(QStringLiteral("&Ordenar por"), parent), new QRadioButton(first),
                   new QRadioButton(second)};
  panel.Frame3->setObjectName(QStringLiteral("Frame3"));
  panel.Option1->setObjectName(QStringLiteral("Option1"));
  panel.Option2->setObjectName(QStringLiteral("Option2"));
  auto* layout = new QHBoxLayout(panel.Frame3);
  layout->addWidget(panel.Option1);
  layout->addWidget(panel.Option2);
  return panel;
}

SearchPanel searchPanel(QWidget* parent) {
  SearchPanel panel{new QGroupBox(QStringLiteral("&Patron de Busqueda"), parent), new QLineEdit,
                    new QPushButton(QStringLiteral("&Aceptar")),
                    new QPushButton(QStringLiteral("&Cancelar"))};
  panel.Frame1->setObjectName(QStringLiteral("Frame1"));
  panel.Text1->setObjectName(QStringLiteral("Text1"));
  panel.Command1->setObjectName(QStringLiteral("Command1"));
  panel.Command2->setObjectName(QStringLiteral("Command2"));
  auto* layout = new QHBoxLayout(panel.Frame1);
  layout->addWidget(panel.Text1, 1);
  for (QPushButton* button : {panel.Command1, panel.Command2}) {
    button->setAutoDefault(false);
    layout->addWidget(button);
  }
  panel.Frame1->hide();
  return panel;
}

void openSearchPanel(QGroupBox* search, QGroupBox* order, QLineEdit* pattern) {
  search->show();
  order->hide();
  pattern->setFocus();
}

void closeSearchPanel(QGroupBox* search, QGroupBox* order) {
  search->hide();
  order->show();
}

bool showSearchResult(QTreeWidget* list, QTreeWidgetItem* found, QLineEdit* pattern) {
  if (found == nullptr) {
    showNotice(list->window(), QStringLiteral("No se ha encontrado"));
    pattern->setFocus();
    return false;
  }
  selectRow(list, found);
  list->setFocus();
  return true;
}

QWidget* hintPanel(QWidget* parent, const QStringList& hints) {
  auto* panel = new QGroupBox(parent);
  panel->setObjectName(QStringLiteral("Frame2"));
  auto* layout = new QHBoxLayout(panel);
  for (const QString& hint : hints) layout->addWidget(new QLabel(hint));
  panel->hide();
  return panel;
}

int ctrlDigit(const QKeyEvent* key) {
  const Qt::KeyboardModifiers modifiers =
      key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (modifiers != Qt::ControlModifier) return -1;
  if (key->key() < Qt::Key_0 || key->key() > Qt::Key_9) return -1;
  return key->key() - Qt::Key_0;
}

QLineEdit* callerBox(const QString& screen, const char* box) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == screen && window->isVisible())
      return window->findChild<QLineEdit*>(QLatin1String(box));
  }
  return nullptr;
}

}  // namespace kvt
