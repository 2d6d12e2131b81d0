// QuorKVT: the club's desktop program for reading its pigeon clocks.
#include <QApplication>

#include "program.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  return kvt::runQuorKVT(QApplication::applicationDirPath());
}
