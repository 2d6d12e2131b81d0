#include "form_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace kvt {

namespace {

// The next control of the form that Tab would give the focus to.
void focusNext(QWidget* from) {
  for (QWidget* next = from->nextInFocusChain(); next != from; next = next->nextInFocusChain()) {
    if (next->window() == from->window() && next->isVisible() && next->isEnabled() &&
        (next->focusPolicy() & Qt::TabFocus)) {
      next->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

// Sees every key of the application first, and acts on those meant for its form.
class EnterAsTab : public QObject {
 public:
  explicit EnterAsTab(QWidget* form) : QObject(form), form_(form) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != form_) return false;
    focusNext(widget);
    return true;
  }

 private:
  QWidget* form_;
};

class SelectAll : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      // After the focus change is done, or the click that brought the focus places the cursor.
      auto* box = static_cast<QLineEdit*>(watched);
      QTimer::singleShot(0, box, [box] { box->selectAll(); });
    }
    return false;
  }
};

}  // namespace

void enterMovesFocus(QWidget* form) {
  qApp->installEventFilter(new EnterAsTab(form));
}

void selectAllOnFocus(QLineEdit* box) {
  box->installEventFilter(new SelectAll(box));
}

void focusLater(QLineEdit* box) {
  QTimer::singleShot(0, box, [box] { box->setFocus(); });
}

FocusMoves::Move FocusMoves::of(QWidget* watched, const QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    if (isFocusStep(event)) {
      away_ = nullptr;
      return {watched, nullptr};
    }
    away_ = watched;
    return {};
  }
  if (event->type() != QEvent::FocusIn) return {};
  QWidget* const away = away_;
  away_ = nullptr;
  if (away == watched) return {};
  // The focus went elsewhere while the window was not active (the program moved it): the control
  // that had it leaves now.
  return {away, watched};
}

bool isFocusStep(const QEvent* event) {
  if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) return false;
  const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace kvt
