// The common styling of a window as it loads: its caption and the texts of its controls from the
// application's string table, looked up by the number in a widget's "Tag" property (or, for menu
// entries and tool tips, by the number their text holds). A step that finds no number or no
// string is skipped.
#pragma once

#include <QString>

class QWidget;

namespace kvt {

// The application's string table: 1000 = "Options". Null when the number is not in it.
QString stringTable(int number);

void EstiloForm(QWidget* ventana);

}  // namespace kvt
