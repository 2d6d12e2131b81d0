#include "on_screen.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "frm_main.h"

namespace kvt {

namespace {

std::optional<QRect> mainStatusBar(const QWidget* window) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* main = qobject_cast<frmMain*>(top);
    if (main == nullptr || main == window || !main->isVisible()) continue;
    const QStatusBar* bar = main->statusBar();
    return QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size());
  }
  return std::nullopt;
}

void fit(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr || window->isMaximized() || window->isFullScreen()) return;
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  // Modal windows sit over the windows they ask for; only the others keep clear of the bar.
  const std::optional<QRect> bar =
      window->isModal() ? std::nullopt : mainStatusBar(window);
  const int frameHeight = frame.height() - inner.height();
  const QRect fitted = fittedFrame(frame, screen->availableGeometry(), bar,
                                   window->minimumSizeHint().height() + frameHeight);
  if (fitted == frame) return;
  window->resize(inner.width() - (frame.width() - fitted.width()),
                 inner.height() - (frame.height() - fitted.height()));
  window->move(fitted.topLeft());  // a window's position is its frame's
}

class OnScreen : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show && event->type() != QEvent::WindowActivate) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !widget->isWindow() || (widget->windowFlags() & Qt::Popup) == Qt::Popup)
      return false;
    // After the window system has put the frame around it.
    QTimer::singleShot(0, widget, [widget] { fit(widget); });
    return false;
  }
};

}  // namespace

void keepWindowsOnScreen() {
  static OnScreen* filter = nullptr;
  if (filter == nullptr) {
    filter = new OnScreen(qApp);
    qApp->installEventFilter(filter);
  }
}

QRect fittedFrame(QRect frame, const QRect& available, const std::optional<QRect>& statusBar,
                  int minimumHeight) {
  frame.setWidth(std::min(frame.width(), available.width()));
  frame.setHeight(std::min(frame.height(), available.height()));
  frame.moveLeft(std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
  frame.moveTop(std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
  if (statusBar && frame.intersects(*statusBar) && frame.top() < statusBar->top() &&
      statusBar->top() - frame.top() >= minimumHeight) {
    frame.setBottom(statusBar->top() - 1);
  }
  return frame;
}

}  // namespace kvt
