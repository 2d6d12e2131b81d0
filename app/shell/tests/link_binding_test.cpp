// The binding of the link library: the real library from its path, and a missing library or
// function, which fail the call and name what is missing instead of stopping the program.
#include <QFile>

#include "app_state.h"
#include "link_binding.h"
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

}  // namespace
}  // namespace kvt
