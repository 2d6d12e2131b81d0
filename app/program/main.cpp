// QuorKVT: the club's desktop program for reading its pigeon clocks.
#include <QApplication>

#include "command_line.h"
#include "program.h"

int main(int argc, char** argv) {
  // --help and --version need no display.
  if (argc == 2 && kvt::isCommandLineQuestion(argv[1])) {
    const QCoreApplication application(argc, argv);
    return kvt::answerCommandLine(QString::fromLocal8Bit(argv[1]),
                                  QCoreApplication::applicationDirPath(), stdout, stderr);
  }
  QApplication application(argc, argv);
  return kvt::runQuorKVT(QApplication::applicationDirPath());
}
