// The hand-over of printed lines from the library's reader thread: the line is taken in on the
// user-interface thread while the reader waits, and a stop never leaves the reader waiting.
#include <QApplication>
#include <QObject>
#include <atomic>
#include <chrono>
#include <thread>

#include "line_hand_over.h"
#include "shell_fixture.h"

namespace kvt {
namespace {

using namespace std::chrono_literals;
using LineHandOverTest = testing::ShellTest;

// Runs NuevaLinea on a thread of its own, as the reader thread does.
class Reader {
 public:
  Reader()
      : thread_([this] {
          link::NuevaLinea("line");
          returned_ = true;
        }) {}
  ~Reader() { thread_.join(); }
  bool returned() const { return returned_; }

  // Processes the user-interface thread's events until the reader returns or time runs out.
  bool returnsWithin(std::chrono::milliseconds limit, bool processEvents) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!returned_ && std::chrono::steady_clock::now() < deadline) {
      if (processEvents) QApplication::processEvents();
      std::this_thread::sleep_for(1ms);
    }
    return returned_;
  }

 private:
  std::atomic<bool> returned_{false};
  std::thread thread_;
};

TEST_F(LineHandOverTest, TheLineIsTakenOnTheUserInterfaceThreadWhileTheReaderWaits) {
  QObject receiver;
  std::thread::id takenOn;
  int taken = 0;
  link::receiveLines(&receiver, [&] {
    takenOn = std::this_thread::get_id();
    ++taken;
  });
  {
    Reader reader;
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(reader.returned());  // waits until the line is taken in
    EXPECT_TRUE(reader.returnsWithin(1000ms, true));
  }
  EXPECT_EQ(taken, 1);
  EXPECT_EQ(takenOn, std::this_thread::get_id());
  link::stopReceivingLines();
}

TEST_F(LineHandOverTest, StoppingReleasesAWaitingReaderAndDropsItsLine) {
  QObject receiver;
  int taken = 0;
  link::receiveLines(&receiver, [&] { ++taken; });
  {
    Reader reader;
    std::this_thread::sleep_for(50ms);
    link::stopReceivingLines();  // as leaving the program does, without turning the event loop
    EXPECT_TRUE(reader.returnsWithin(1000ms, false));
  }
  QApplication::processEvents();
  EXPECT_EQ(taken, 0);
}

TEST_F(LineHandOverTest, ALineWithoutAReceiverIsDropped) {
  link::stopReceivingLines();
  Reader reader;
  EXPECT_TRUE(reader.returnsWithin(1000ms, false));
}

}  // namespace
}  // namespace kvt
