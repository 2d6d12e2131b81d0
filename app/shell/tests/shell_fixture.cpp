#include "shell_fixture.h"

#include <QDir>

#include "databases.h"
#include "link_binding.h"
#include "startup.h"

namespace kvt::testing {

ShellTest::ShellTest() {
  const QString root = QString::fromStdString(folder_.path().string());
  qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toLocal8Bit());
  qputenv("HOME", (root + QStringLiteral("/home")).toLocal8Bit());
  QDir().mkpath(root + QStringLiteral("/home"));
  QDir().mkpath(dataFolder());
  link::useLibrary(QStringLiteral(QUORLINK_LIBRARY));
  answerMessagesWith([this](const Message& message) {
    messages.push_back(message);
    return answerYes;
  });
}

ShellTest::~ShellTest() {
  answerMessagesWith({});
  closeDatabases();
}

QString ShellTest::programFolder() const {
  return QString::fromStdString(folder_.path().string()) + QStringLiteral("/program");
}

QString ShellTest::path(const QString& name) const {
  return QString::fromStdString(folder_.path().string()) + QLatin1Char('/') + name;
}

void ShellTest::startUp() {
  const QString error = kvt::startUp(programFolder());
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
}

}  // namespace kvt::testing
