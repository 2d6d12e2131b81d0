// QuorKVT: the club's desktop program for reading its pigeon clocks.
#include <QApplication>

#include "databases.h"
#include "frm_main.h"
#include "messages.h"
#include "program_screens.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QuorKVT"));
  int status = 1;
  {
    kvt::frmMain main;
    const QString error = main.load(QApplication::applicationDirPath());
    if (error.isEmpty()) {
      kvt::offerScreens(main);
      main.show();
      status = QApplication::exec();
    } else {
      kvt::showWarning(nullptr, error);
    }
  }
  kvt::closeDatabases();
  return status;
}
