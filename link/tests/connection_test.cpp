#include <termios.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "data_store.h"
#include "link.h"
#include "link_test_support.h"
#include "quorlink.h"

namespace quorlink {
namespace {

using namespace std::chrono_literals;
using quorclock::PtyClock;

TEST(LinkBeforeOpen, ExportsDoNothingAndSaySo) {
  EXPECT_EQ(openQuorKVT(0), 0);
  EXPECT_EQ(openQuorKVTtolvex(1), 0);
  EXPECT_EQ(closeQuorKVT(), 1);
  EXPECT_EQ(closeQuorKVTtolvex(), 1);
  EXPECT_EQ(closeQuorConnection(), 1);
  EXPECT_EQ(regUpdateProc(nullptr), 0);
  char line[132] = {'x'};
  EXPECT_EQ(getUpdateData(line), 1);
  EXPECT_STREQ(line, "");
}

TEST(OptionBase, AcceptsZeroAndOneOnly) {
  EXPECT_EQ(regOptionBase(1), 1);
  EXPECT_TRUE(optionBase());
  EXPECT_EQ(regOptionBase(2), 0);
  EXPECT_EQ(regOptionBase(-1), 0);
  EXPECT_TRUE(optionBase());
  EXPECT_EQ(regOptionBase(0), 1);
  EXPECT_FALSE(optionBase());
}

TEST(Connection, OpensTheMappedPortAt9600EightNoneOne) {
  PtyClock clock(3);
  ASSERT_EQ(openQuorConnection("3"), 1);
  EXPECT_TRUE(clock.waitUntilOpened(1s));
  termios line{};
  ASSERT_EQ(tcgetattr(clock.masterFd(), &line), 0);  // master and slave share one termios
  EXPECT_EQ(cfgetospeed(&line), B9600);
  EXPECT_EQ(cfgetispeed(&line), B9600);
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL), 0u);
  EXPECT_EQ(line.c_oflag & OPOST, 0u);
  EXPECT_TRUE(linkFlags().linkOpen);

  EXPECT_EQ(closeQuorConnection(), 1);
  EXPECT_TRUE(clock.waitUntilClosed(1s));
  EXPECT_FALSE(linkFlags().linkOpen);
}

TEST(Connection, PortTextIsReadForItsLeadingNumber) {
  PtyClock clock(3);
  for (const char* text : {" 3", "3x", "+3", "03"}) {
    EXPECT_EQ(openQuorConnection(text), 1) << text;
    EXPECT_EQ(closeQuorConnection(), 1);
    EXPECT_TRUE(clock.waitUntilClosed(1s)) << text;
  }
  for (const char* text : {"", "abc", "x3"}) {  // no number: COM0, which never opens
    EXPECT_EQ(openQuorConnection(text), 0) << text;
    EXPECT_FALSE(linkFlags().linkOpen);
  }
}

TEST(Connection, MissingDeviceFailsAndClosingAfterwardsIsHarmless) {
  const auto entry = std::filesystem::path(testing::testPortsFolder()) / "quorlink/ports/COM9";
  std::filesystem::create_directories(entry.parent_path());
  std::filesystem::create_symlink("/nonexistent/tty", entry);
  EXPECT_EQ(openQuorConnection("9"), 0);
  EXPECT_FALSE(linkFlags().connectionOpened);
  EXPECT_EQ(closeQuorConnection(), 1);
  EXPECT_EQ(openQuorKVT(0), 0);
  std::filesystem::remove(entry);
}

TEST(Connection, OpeningAgainClosesTheOpenPortFirst) {
  PtyClock first(4);
  PtyClock second(5);
  ASSERT_EQ(openQuorConnection("4"), 1);
  ASSERT_TRUE(first.waitUntilOpened(1s));
  ASSERT_EQ(openQuorConnection("5"), 1);
  EXPECT_TRUE(first.waitUntilClosed(1s));
  EXPECT_TRUE(second.slaveOpen());
  closeQuorConnection();
}

TEST(Connection, WritesReachTheClock) {
  PtyClock clock(3);
  ASSERT_EQ(openQuorConnection("3"), 1);
  const std::uint8_t command[] = {'>', 'K', 0x07};
  EXPECT_TRUE(writeBlock(command, sizeof command));
  EXPECT_EQ(clock.receive(3, 1s), std::string(">K\x07", 3));
  closeQuorConnection();
  EXPECT_FALSE(writeBlock(command, sizeof command));
}

}  // namespace
}  // namespace quorlink
