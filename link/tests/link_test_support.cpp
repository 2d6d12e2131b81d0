#include "link_test_support.h"

#include <stdlib.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "quorlink.h"

namespace quorlink::testing {

namespace {

class PortsFolderEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quorlink-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string folder_;
};

PortsFolderEnvironment* environment = static_cast<PortsFolderEnvironment*>(
    ::testing::AddGlobalTestEnvironment(new PortsFolderEnvironment));

struct Received {
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<std::string> lines;
};

Received& received() {
  static Received state;
  return state;
}

class RecordingDevice final : public PrintDevice {
 public:
  explicit RecordingDevice(RecordingPrinter& printer) : printer_(printer) {}
  Extent measureLetterA() override { return printer_.letterA(); }
  void requestPortrait() override { printer_.record("portrait"); }
  void selectCaptureFont(int height, int width, int weight) override {
    printer_.record("font " + std::to_string(height) + "x" + std::to_string(width) + " " +
                    std::to_string(weight));
  }
  bool canCopyBitmaps() override { return printer_.canCopyBitmaps; }
  void startDocument(const std::string& name) override { printer_.record("startDoc " + name); }
  void startPage() override { printer_.record("startPage"); }
  void printText(int x, int y, std::string_view text) override {
    printer_.record("text " + std::to_string(x) + " " + std::to_string(y) + " " +
                    std::string(text));
  }
  void drawLogo(int x, int y, int width, int height) override {
    printer_.record("logo " + std::to_string(x) + " " + std::to_string(y) + " " +
                    std::to_string(width) + "x" + std::to_string(height));
  }
  void endPage() override { printer_.record("endPage"); }
  void endDocument() override { printer_.record("endDoc"); }

 private:
  RecordingPrinter& printer_;
};

}  // namespace

const std::string& testPortsFolder() {
  return environment->folder_;
}

RecordingPrinter::~RecordingPrinter() {
  installPrinterBackend(nullptr);
}

std::unique_ptr<PrintDevice> RecordingPrinter::choose(const std::string& documentName, bool ask) {
  record("choose " + documentName + (ask ? " ask" : " default"));
  return std::make_unique<RecordingDevice>(*this);
}

std::vector<std::string> RecordingPrinter::calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

void RecordingPrinter::clear() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

void RecordingPrinter::record(std::string call) {
  std::lock_guard lock(mutex_);
  calls_.push_back(std::move(call));
}

HostLines::HostLines() {
  {
    std::lock_guard lock(received().mutex);
    received().lines.clear();
  }
  reregister();
}

HostLines::~HostLines() {
  closeQuorKVT();
  closeQuorKVTtolvex();
  closeQuorConnection();
}

void HostLines::reregister() {
  regUpdateProc(&HostLines::onLine);
}

void QUORLINK_CALL HostLines::onLine(const char*) {
  char buffer[132];
  getUpdateData(buffer);
  Received& r = received();
  std::lock_guard lock(r.mutex);
  r.lines.emplace_back(buffer);
  r.arrived.notify_all();
}

std::vector<std::string> HostLines::lines() const {
  std::lock_guard lock(received().mutex);
  return received().lines;
}

bool HostLines::waitFor(std::size_t count, std::chrono::milliseconds timeout) const {
  Received& r = received();
  std::unique_lock lock(r.mutex);
  return r.arrived.wait_for(lock, timeout, [&] { return r.lines.size() >= count; });
}

}  // namespace quorlink::testing
