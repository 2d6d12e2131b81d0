#include "reading_screen.h"

#include <QApplication>
#include <QWidget>

namespace kvt {

ReadingScreen* findReadingScreen(const QString& name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == name) {
      if (auto* screen = dynamic_cast<ReadingScreen*>(window)) return screen;
    }
  }
  return nullptr;
}

}  // namespace kvt
