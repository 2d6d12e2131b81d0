#include "form_style.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QWidget>

namespace kvt {

namespace {

// The string numbered by a text that holds a whole number above 0; null otherwise.
QString stringFor(const QString& numberText) {
  bool isNumber = false;
  const int number = numberText.trimmed().toInt(&isNumber);
  return isNumber && number > 0 ? stringTable(number) : QString();
}

QString tagOf(const QObject* object) {
  return object->property("Tag").toString();
}

void styleControl(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    if (const QString text = stringFor(tagOf(label)); !text.isNull()) label->setText(text);
    return;
  }
  if (auto* menu = qobject_cast<QMenu*>(control)) {
    for (QAction* action : menu->actions()) {
      if (const QString text = stringFor(action->text()); !text.isNull()) action->setText(text);
    }
    return;
  }
  if (auto* toolbar = qobject_cast<QToolBar*>(control)) {
    for (QAction* action : toolbar->actions()) {
      if (const QString tip = stringFor(action->toolTip()); !tip.isNull()) action->setToolTip(tip);
    }
    return;
  }
  if (const QString text = stringFor(tagOf(control)); !text.isNull()) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(text);
    if (auto* frame = qobject_cast<QGroupBox*>(control)) frame->setTitle(text);
  }
  if (const QString tip = stringFor(control->toolTip()); !tip.isNull()) control->setToolTip(tip);
}

}  // namespace

QString stringTable(int number) {
  return number == 1000 ? QStringLiteral("Options") : QString();
}

void EstiloForm(QWidget* ventana) {
  if (const QString caption = stringFor(tagOf(ventana)); !caption.isNull()) {
    ventana->setWindowTitle(caption);
  }
  // The window's font would come from strings 20 and 21; its controls inherit it.
  bool sized = false;
  const QString face = stringTable(20);
  const int size = stringTable(21).toInt(&sized);
  if (!face.isNull() && sized) ventana->setFont(QFont(face, size));
  for (QWidget* control : ventana->findChildren<QWidget*>()) styleControl(control);
}

}  // namespace kvt
