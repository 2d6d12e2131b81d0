#include "burst_reader.h"

#include <sys/resource.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "link_test_support.h"
#include "serial_port.h"

namespace quorlink {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using quorclock::PtyClock;

// Records the bursts and chunks the reader hands over.
class RecordingSink final : public BurstSink {
 public:
  explicit RecordingSink(bool live) : live_(live) {}
  std::atomic<bool> running{true};

  bool connected() const override { return running; }
  BurstTaking burstStarted() override { return {.live = live_}; }
  void burstSoFar(const std::uint8_t*, std::size_t, bool) override {}
  void chunk(const std::uint8_t* data, std::size_t length) override {
    std::lock_guard lock(mutex_);
    chunks_.emplace_back(reinterpret_cast<const char*>(data), length);
    chunkTimes_.push_back(Clock::now());
  }
  void burstEnded(const std::uint8_t* data, std::size_t length) override {
    if (length == 0) return;  // a wake-up that found no bytes
    std::lock_guard lock(mutex_);
    bursts_.push_back(data != nullptr ? std::string(reinterpret_cast<const char*>(data), length)
                                      : std::to_string(length) + " live bytes");
    burstEnd_ = Clock::now();
  }

  std::vector<std::string> bursts() const {
    std::lock_guard lock(mutex_);
    return bursts_;
  }
  std::vector<std::string> chunks() const {
    std::lock_guard lock(mutex_);
    return chunks_;
  }
  Clock::time_point firstChunk() const {
    std::lock_guard lock(mutex_);
    return chunkTimes_.front();
  }
  Clock::time_point burstEnd() const {
    std::lock_guard lock(mutex_);
    return burstEnd_;
  }

 private:
  bool live_;
  mutable std::mutex mutex_;
  std::vector<std::string> bursts_;
  std::vector<std::string> chunks_;
  std::vector<Clock::time_point> chunkTimes_;
  Clock::time_point burstEnd_;
};

// The reader loop on a real port, in a thread of its own, for one test.
class ReaderOnPort {
 public:
  explicit ReaderOnPort(bool live) : sink(live) {
    port_ = openSerialPort(6);
    if (port_) thread_ = std::thread([this] { runBurstReader(*port_, sink); });
  }
  ~ReaderOnPort() { stop(); }
  bool opened() const { return port_ != nullptr; }
  // Ends the loop as closing the link does; the time it took.
  std::chrono::milliseconds stop() {
    const auto start = Clock::now();
    if (thread_.joinable()) {
      sink.running = false;
      port_->wake();
      thread_.join();
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  }
  // Waits until count bursts were handed over.
  bool waitForBursts(std::size_t count, std::chrono::milliseconds timeout) const {
    const auto deadline = Clock::now() + timeout;
    while (sink.bursts().size() < count) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(5ms);
    }
    return true;
  }
  RecordingSink sink;

 private:
  std::unique_ptr<SerialPort> port_;
  std::thread thread_;
};

TEST(BurstReader, ChunksCloserThan30MillisecondsFormOneBurst) {
  PtyClock clock(6);
  ReaderOnPort reader(false);
  ASSERT_TRUE(reader.opened());
  clock.send("AB");
  std::this_thread::sleep_for(10ms);
  clock.send("CD");
  std::this_thread::sleep_for(10ms);
  clock.send("EF");
  ASSERT_TRUE(reader.waitForBursts(1, 2s));
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(reader.sink.bursts(), (std::vector<std::string>{"ABCDEF"}));
}

TEST(BurstReader, PauseOf30MillisecondsOrMoreSplitsTheBurst) {
  PtyClock clock(6);
  ReaderOnPort reader(false);
  ASSERT_TRUE(reader.opened());
  clock.send("AB");
  std::this_thread::sleep_for(80ms);
  clock.send("CD");
  ASSERT_TRUE(reader.waitForBursts(2, 2s));
  EXPECT_EQ(reader.sink.bursts(), (std::vector<std::string>{"AB", "CD"}));
}

TEST(BurstReader, BurstIsCutAt40000BytesAndTheRestFollows) {
  PtyClock clock(6);
  ReaderOnPort reader(false);
  ASSERT_TRUE(reader.opened());
  std::string bytes(50000, 'x');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>('a' + i % 26);
  std::thread writer([&] { clock.send(bytes); });  // blocks while the line is full
  ASSERT_TRUE(reader.waitForBursts(2, 10s));
  writer.join();
  const auto bursts = reader.sink.bursts();
  ASSERT_EQ(bursts.size(), 2u);
  EXPECT_EQ(bursts[0], bytes.substr(0, 40000));
  EXPECT_EQ(bursts[1], bytes.substr(40000));
}

TEST(BurstReader, LiveBurstHandsOverEachChunkAsItIsRead) {
  PtyClock clock(6);
  ReaderOnPort reader(true);
  ASSERT_TRUE(reader.opened());
  const std::string printout(60, 'P');  // about 60 ms at line rate: several 30 ms steps
  const auto start = Clock::now();
  clock.sendAtLineRate(printout, quorclock::kLineRate);
  ASSERT_TRUE(reader.waitForBursts(1, 2s));
  const auto chunks = reader.sink.chunks();
  EXPECT_GE(chunks.size(), 2u);
  std::string joined;
  for (const auto& chunk : chunks) joined += chunk;
  EXPECT_EQ(joined, printout);
  EXPECT_EQ(reader.sink.bursts(), (std::vector<std::string>{"60 live bytes"}));
  EXPECT_LT(reader.sink.firstChunk() - start, 40ms);
  EXPECT_GT(reader.sink.burstEnd() - reader.sink.firstChunk(), 40ms);
}

double processCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(BurstReader, VanishedDeviceEndsTheBurstWithoutSpinningAndStillCloses) {
  auto clock = std::make_unique<PtyClock>(6);
  ReaderOnPort reader(false);
  ASSERT_TRUE(reader.opened());
  clock->send("HALF A LI");
  std::this_thread::sleep_for(10ms);
  clock.reset();  // the adapter is pulled mid-burst: the device hangs up
  ASSERT_TRUE(reader.waitForBursts(1, 2s));
  const double before = processCpuSeconds();
  std::this_thread::sleep_for(500ms);
  EXPECT_LT(processCpuSeconds() - before, 0.05);
  EXPECT_LT(reader.stop(), 200ms);
}

}  // namespace
}  // namespace quorlink
