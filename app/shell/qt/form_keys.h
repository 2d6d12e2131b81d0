// Keyboard habits that every screen of the program shares.
#pragma once

#include <QPointer>

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

// The focus moving between the controls of one window, whoever moves it: the user with Tab or a
// click, the window opening, the program itself, also while the window is not the active one.
// Not a move: the focus leaving for a message box, a menu or another window, and coming back to
// the same control.
class FocusMoves {
 public:
  struct Move {
    QWidget* left = nullptr;   // the control that lost the focus, if one did
    QWidget* taken = nullptr;  // the control that took it, if one did
  };
  // What a focus event of a watched control of the window means; events of other kinds give none.
  Move of(QWidget* watched, const QEvent* event);

 private:
  QPointer<QWidget> away_;  // held the focus when the window last lost it
};

}  // namespace kvt
