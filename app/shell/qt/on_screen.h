// Every window of the program stays, frame and title bar included, on the screen that shows it,
// so that it can always be seen whole and dragged; and a window placed over the main window ends
// above its status bar, whose text tells what the window expects, when it can.
#pragma once

#include <QRect>
#include <optional>

namespace kvt {

// From now on every window is fitted when it is shown and when it becomes active.
void keepWindowsOnScreen();

// A frame moved into the available area, and made smaller where it does not fit; when it covers
// the status bar from above, it ends above the bar if it keeps at least minimumHeight.
QRect fittedFrame(QRect frame, const QRect& available, const std::optional<QRect>& statusBar,
                  int minimumHeight);

}  // namespace kvt
