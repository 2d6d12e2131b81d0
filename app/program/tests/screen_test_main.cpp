// The program's windows on Qt's offscreen platform with one screen of a fixed size, 1600 x 1000,
// and window frames around the windows, as a window manager puts them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  QTemporaryDir folder;
  const QString config = folder.filePath(QStringLiteral("screen.json"));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 1;
  file.write(R"({"windowFrameMargins": true, "screens": [{"name": "Screen", "x": 0, "y": 0,
    "width": 1600, "height": 1000, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QuorKVT"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
