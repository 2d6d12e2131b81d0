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
  // The design places the window's frame, so its title bar is never above the screen.
  window->resize(width / kTwipsPerPixel, height / kTwipsPerPixel);
  window->move(left / kTwipsPerPixel, top / kTwipsPerPixel);
}

QAction* toolButton(QToolBar* bar, const char* key, const QString& text) {
  QAction* action = bar->addAction(text);
  action->setObjectName(QLatin1String(key));
  return action;
}

QLineEdit* panelBox(const char* name) {
  auto* box = new QLineEdit;
  box->setObjectName(QLatin1String(name));
  return box;
}

QPushButton* panelButton(const char* name, const QString& text) {
  auto* button = new QPushButton(text);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

QGroupBox* hiddenPanel(QWidget* parent, const char* name, const QString& title) {
  auto* frame = new QGroupBox(title, parent);
  frame->setObjectName(QLatin1String(name));
  frame->hide();
  return frame;
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

qint64 rowId(const QTreeWidgetItem* row) {
  return row != nullptr ? row->data(0, Qt::UserRole).toLongLong() : 0;
}

void setRowId(QTreeWidgetItem* row, qint64 id) {
  row->setData(0, Qt::UserRole, id);
}

QTreeWidgetItem* rowOf(const QTreeWidget* list, qint64 id) {
  for (int at = 0; at < list->topLevelItemCount(); ++at) {
    if (rowId(list->topLevelItem(at)) == id) return list->topLevelItem(at);
  }
  return nullptr;
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
  SearchPanel panel{hiddenPanel(parent, "Frame1", QStringLiteral("&Patron de Busqueda")),
                    panelBox("Text1"), panelButton("Command1", QStringLiteral("&Aceptar")),
                    panelButton("Command2", QStringLiteral("&Cancelar"))};
  auto* layout = new QHBoxLayout(panel.Frame1);
  layout->addWidget(panel.Text1, 1);
  layout->addWidget(panel.Command1);
  layout->addWidget(panel.Command2);
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

bool writtenOrTold(QWidget* screen, const Saved& saved, const std::function<void()>& listAgain) {
  if (saved.done()) return true;
  showWarning(screen, saved.refusal);
  if (saved.listAgain) listAgain();
  return false;
}

QWidget* hintPanel(QWidget* parent, const QStringList& hints) {
  QGroupBox* panel = hiddenPanel(parent, "Frame2");
  auto* layout = new QHBoxLayout(panel);
  for (const QString& hint : hints) layout->addWidget(new QLabel(hint));
  return panel;
}

int ctrlDigit(const QKeyEvent* key) {
  const Qt::KeyboardModifiers modifiers =
      key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (modifiers != Qt::ControlModifier) return -1;
  if (key->key() < Qt::Key_0 || key->key() > Qt::Key_9) return -1;
  return key->key() - Qt::Key_0;
}

}  // namespace kvt
