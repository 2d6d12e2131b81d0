// The binding of the link library: the real library from its path, and a missing library or
// function, which fail the call and name what is missing instead of stopping the program.
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <filesystem>

#include "app_state.h"
#include "link_binding.h"
#include "link_library_file.h"
#include "pty_clock.h"
#include "shell_fixture.h"

namespace kvt {
namespace {

using LinkBindingTest = testing::ShellTest;

TEST_F(LinkBindingTest, CallsTheRealLibraryByName) {
  const quorclock::PtyClock clock(5);
  QString port = "5";
  EXPECT_EQ(link::openQuorConnection(port), 1);
  EXPECT_EQ(port, "5");
  EXPECT_TRUE(clock.waitUntilOpened(std::chrono::seconds(1)));
  char line[132] = {};
  EXPECT_EQ(link::getUpdateData(line), 1);
  link::closeQuorKVT();
  link::closeQuorConnection();
  EXPECT_TRUE(clock.waitUntilClosed(std::chrono::seconds(1)));
  EXPECT_TRUE(messages.empty());
}

TEST_F(LinkBindingTest, AMissingLibraryFailsTheCallAndNamesTheFile) {
  const QString missing = path("nowhere/libquorlink.so");
  link::useLibrary(missing);
  QString port = "1";
  EXPECT_EQ(link::openQuorConnection(port), 0);
  EXPECT_EQ(link::openQuorKVT("0"), 0);
  link::closeQuorKVT();
  ASSERT_EQ(messages.size(), 1u);  // told once
  EXPECT_EQ(messages[0].kind, MessageKind::Warning);
  EXPECT_TRUE(messages[0].text.contains(missing)) << messages[0].text.toStdString();
}

TEST_F(LinkBindingTest, AMissingFunctionFailsTheCallAndNamesTheFunction) {
  link::useLibrary(QStringLiteral(PARTIAL_LINK_LIBRARY));
  QString port = "1";
  EXPECT_EQ(link::openQuorConnection(port), 7);  // the one function that library has
  EXPECT_EQ(link::openQuorKVT("1"), 0);
  EXPECT_EQ(link::openQuorKVT("1"), 0);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains("openQuorKVT")) << messages[0].text.toStdString();
  EXPECT_TRUE(messages[0].text.contains(PARTIAL_LINK_LIBRARY));
}

TEST_F(LinkBindingTest, TheLibraryBesideTheProgramComesBeforeTheInstalledOne) {
  // An installed prefix, moved anywhere: bin/ and, beside it, the library folder.
  const QString bin = path("prefix/bin");
  const QStringList locations = link::libraryLocations();
  ASSERT_EQ(locations.size(), 2);
  const QString beside = bin + "/" + locations[0];
  const QString installed = QDir::cleanPath(bin + "/" + locations[1]);
  ASSERT_TRUE(installed.startsWith(path("prefix/lib"))) << installed.toStdString();
  QDir().mkpath(bin);
  EXPECT_EQ(link::libraryPathIn(bin), beside);  // none there: the one named in the message

  QDir().mkpath(QFileInfo(installed).path());
  std::filesystem::create_symlink(QUORLINK_LIBRARY, installed.toStdString());
  EXPECT_EQ(link::libraryPathIn(bin), installed);
  const link::LibraryCheck check = link::checkLibrary(bin);
  EXPECT_EQ(check.path, installed);
  EXPECT_EQ(check.version, QUORLINK_VERSION_NUMBER);
  EXPECT_EQ(check.error, "");

  std::filesystem::create_symlink(PARTIAL_LINK_LIBRARY, beside.toStdString());
  EXPECT_EQ(link::libraryPathIn(bin), beside);
  EXPECT_EQ(link::checkLibrary(bin).error, "no tiene la función quorlinkVersion");
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace kvt
