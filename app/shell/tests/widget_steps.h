// Steps the program's tests take on real widgets as a user would: the focus moving on, a window
// becoming active, a modal window answered while it waits.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QToolBar;
class QTreeWidget;
class QWidget;

namespace kvt::testing {

// Shows the window and makes it the active one, so that the focus moves inside it.
void showActive(QWidget* window);
// The focus enters or leaves the box as with Tab.
void moveFocusIn(QWidget* box);
void moveFocusOut(QWidget* box);
// The window becomes the active window again.
void activate(QWidget* window);

// The texts of one column of a list, row by row.
QStringList columnTexts(const QTreeWidget* list, int column);
// The text of the only selected row; empty unless exactly one row is selected.
QString selectedText(const QTreeWidget* list);
// The row with that text becomes the current and only selected row, as a click makes it.
void selectByText(QTreeWidget* list, const QString& text);

// What of a shown window's toolbar and list cannot be seen: the texts of toolbar buttons cut off
// or moved behind the toolbar's extension button, and the headers of columns past the list's
// right edge.
QStringList hiddenParts(const QToolBar* toolbar, const QTreeWidget* list);

// Once the next modal window opens, step is run on it; a window still open after the step, or
// after ten seconds without one, is closed so that the test goes on, and the test fails.
void whenModalOpens(std::function<void(QWidget*)> step);

}  // namespace kvt::testing
