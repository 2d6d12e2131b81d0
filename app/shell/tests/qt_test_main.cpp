// The shell's tests drive real widgets on Qt's offscreen platform, without a display.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QuorKVT"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
