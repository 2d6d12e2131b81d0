// Keyboard habits that every screen of the program shares.
#pragma once

class QLineEdit;
class QWidget;

namespace kvt {

// Enter, anywhere in the form, is swallowed and moves the focus to the next control, as Tab does.
// Controls added to the form later are covered too.
void enterMovesFocus(QWidget* form);

// The box selects its whole text whenever it takes the focus.
void selectAllOnFocus(QLineEdit* box);

}  // namespace kvt
