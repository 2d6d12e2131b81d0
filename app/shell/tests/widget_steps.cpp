#include "widget_steps.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <memory>

namespace kvt::testing {

void showActive(QWidget* window) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void moveFocusIn(QWidget* box) {
  QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(box, &in);
}

void moveFocusOut(QWidget* box) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(box, &out);
}

void activate(QWidget* window) {
  QEvent activation(QEvent::WindowActivate);
  QApplication::sendEvent(window, &activation);
}

QStringList columnTexts(const QTreeWidget* list, int column) {
  QStringList texts;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    texts << list->topLevelItem(row)->text(column);
  return texts;
}

QString selectedText(const QTreeWidget* list) {
  const QList<QTreeWidgetItem*> selected = list->selectedItems();
  return selected.size() == 1 ? selected.front()->text(0) : QString();
}

void selectByText(QTreeWidget* list, const QString& text) {
  const QList<QTreeWidgetItem*> rows = list->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(rows.size(), 1) << text.toStdString();
  list->clearSelection();
  list->setCurrentItem(rows.front());
  rows.front()->setSelected(true);
}

namespace {

void closeModal(QWidget* modal) {
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  } else {
    modal->close();
  }
}

}  // namespace

QStringList hiddenParts(const QToolBar* toolbar, const QTreeWidget* list) {
  QStringList hidden;
  for (QAction* action : toolbar->actions()) {
    if (action->isSeparator() || action->text().isEmpty()) continue;
    const QWidget* button = toolbar->widgetForAction(action);
    if (button == nullptr || !button->isVisible() ||
        !toolbar->rect().contains(button->geometry()))
      hidden << action->text();
  }
  const QHeaderView* header = list->header();
  for (int column = 0; column < list->columnCount(); ++column) {
    if (header->sectionViewportPosition(column) + header->sectionSize(column) >
        list->viewport()->width())
      hidden << list->headerItem()->text(column);
  }
  return hidden;
}

void whenModalOpens(std::function<void(QWidget*)> step) {
  auto waited = std::make_shared<QElapsedTimer>();
  waited->start();
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [step = std::move(step), waited, poll] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      if (waited->elapsed() < 10000) {
        QTimer::singleShot(10, *poll);
        return;
      }
      ADD_FAILURE() << "no modal window opened";
      *poll = nullptr;  // the timer runs a copy: this ends the cycle that keeps the step alive
      return;
    }
    step(modal);
    if (QApplication::activeModalWidget() == modal) {
      ADD_FAILURE() << "the modal window " << modal->objectName().toStdString()
                    << " is still open after the step";
      closeModal(modal);
    }
    *poll = nullptr;
  };
  QTimer::singleShot(0, *poll);
}

}  // namespace kvt::testing
