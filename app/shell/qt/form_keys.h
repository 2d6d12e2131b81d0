// Keyboard habits that every screen of the program shares.
#pragma once

class QEvent;
class QLineEdit;
class QWidget;

namespace kvt {

// Enter, anywhere in the form, is swallowed and moves the focus to the next control, as Tab does.
// Controls added to the form later are covered too.
void enterMovesFocus(QWidget* form);

// The box selects its whole text whenever it takes the focus.
void selectAllOnFocus(QLineEdit* box);

// The box takes the focus once the focus move under way is over (a box that refuses what was
// typed calls the user back).
void focusLater(QLineEdit* box);

// A focus event of the user's moving from control to control: not the focus that leaves for a
// message box, a menu or another window and comes back.
bool isFocusStep(const QEvent* event);

}  // namespace kvt
