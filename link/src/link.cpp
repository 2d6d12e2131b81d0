#include "link.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <thread>

#include "burst_reader.h"
#include "capture.h"
#include "serial_port.h"

namespace quorlink {

namespace {

inline constexpr std::uint8_t kReplyPrefix[3] = {0x6C, 0x21, 0xCE};
inline constexpr std::uint8_t kTolvexTextPrefix[3] = {0x6C, 0x54, 0x50};

bool startsWith(const std::uint8_t* data, std::size_t length, const std::uint8_t (&prefix)[3]) {
  return length >= 3 && std::equal(prefix, prefix + 3, data);
}

// One open connection: the device and the flag its reader thread runs on. The reader thread holds
// it too, so that a close requested from the reader thread itself (from the host's update
// procedure) can leave the device to that thread's end.
struct Session {
  explicit Session(std::unique_ptr<SerialPort> port) : device(std::move(port)) {}
  std::unique_ptr<SerialPort> device;
  std::atomic<bool> connected{true};
};

// The one port record of the library.
struct PortInfo {
  std::shared_ptr<Session> session;
  unsigned portNumber = 0;
  std::thread readerThread;
};

struct ReplyBuffer {
  std::mutex mutex;
  std::vector<std::uint8_t> bytes;
};

// Library state lives as long as the process: the reader thread may still run while static
// objects are destroyed at exit, so it is never destroyed.
PortInfo& port() {
  static auto* record = new PortInfo;
  return *record;
}

ReplyBuffer& reply() {
  static auto* buffer = new ReplyBuffer;
  return *buffer;
}

std::size_t replyLength() {
  ReplyBuffer& r = reply();
  std::lock_guard lock(r.mutex);
  return r.bytes.size();
}

bool replyCollecting() {
  return replyLength() > 0;
}

// Decides where a burst goes: to the reply buffer in command mode, else to print capture.
class BurstRouter final : public BurstSink {
 public:
  explicit BurstRouter(const Session& session) : session_(session) {}

  bool connected() const override { return session_.connected.load(); }
  void burstStarted() override { linkFlags().quietCount = 0; }
  void burstInProgress(bool inProgress) override { linkFlags().burstInProgress = inProgress; }

  // A Quor printout is shown as it arrives; replies and Tolvex frames need the whole burst.
  bool takesChunksLive() const override {
    const LinkFlags& f = linkFlags();
    return f.captureQuor && !f.commandMode && !f.captureTolvex;
  }

  void chunk(const std::uint8_t* data, std::size_t length) override {
    capture::takePrinterText(data, length);
  }

  void burstEnded(const std::uint8_t* data, std::size_t length) override {
    if (data == nullptr) {
      capture::burstEnded();
      return;
    }
    const LinkFlags& f = linkFlags();
    const bool looksLikeReply =
        data[0] == '1' || data[0] == '>' || startsWith(data, length, kReplyPrefix);
    // An answer longer than a burst goes on in the burst that follows the full one.
    const bool continuesReply = previousBurstFull_ && replyCollecting();
    previousBurstFull_ = length >= kBurstCapacity;
    if (f.commandMode && (looksLikeReply || continuesReply)) {
      appendReply(data, length);
      return;
    }
    if (f.captureQuor) {
      capture::takePrinterText(data, length);
      capture::burstEnded();
    }
    if (f.captureTolvex && startsWith(data, length, kTolvexTextPrefix) &&
        length >= std::size_t{data[3]} + 5) {
      capture::takePrinterText(data + 4, data[3]);
      capture::burstEnded();
    }
  }

 private:
  const Session& session_;
  bool previousBurstFull_ = false;
};

// The decimal value of the port text: blanks skipped, an optional sign, the digits up to the first
// other character; no digits give 0. Kept to 8 bits, as the port number is.
unsigned portNumberOf(const char* text) {
  if (text == nullptr) return 0;
  while (*text == ' ' || *text == '\t') ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  unsigned value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = (value * 10 + (*text - '0')) & 0xFFFFu;
  return (negative ? 0u - value : value) & 0xFFu;
}

void closePort() {
  PortInfo& p = port();
  if (p.session) {
    p.session->connected = false;
    p.session->device->wake();
  }
  if (p.readerThread.joinable()) {
    if (p.readerThread.get_id() == std::this_thread::get_id()) {
      p.readerThread.detach();
    } else {
      p.readerThread.join();
    }
  }
  p.session.reset();
  p.portNumber = 0;
}

bool connectPort(const char* portText) {
  PortInfo& p = port();
  if (p.session) closePort();
  p.portNumber = portNumberOf(portText);
  std::unique_ptr<SerialPort> device = openSerialPort(p.portNumber);
  if (!device) return false;
  auto session = std::make_shared<Session>(std::move(device));
  try {
    p.readerThread = std::thread([session] {
      BurstRouter router(*session);
      runBurstReader(*session->device, router);
    });
  } catch (const std::system_error&) {
    return false;
  }
  p.session = std::move(session);
  return true;
}

}  // namespace

LinkFlags& linkFlags() {
  static auto* flags = new LinkFlags;
  return *flags;
}

bool openConnection(const char* portText) {
  LinkFlags& f = linkFlags();
  const bool opened = connectPort(portText);
  f.linkOpen = true;
  f.connectionOpened = opened;
  if (!opened) {
    closePort();
    f.linkOpen = false;
  }
  return opened;
}

void closeConnection() {
  LinkFlags& f = linkFlags();
  if (f.connectionOpened) {
    closePort();
    f.linkOpen = false;
    f.connectionOpened = false;
  }
  f.captureQuor = false;
}

bool writeBlock(const std::uint8_t* data, std::size_t length) {
  const std::shared_ptr<Session> session = port().session;
  return session && session->device->write(data, length);
}

void resetReply() {
  ReplyBuffer& r = reply();
  std::lock_guard lock(r.mutex);
  r.bytes.clear();
}

void appendReply(const std::uint8_t* data, std::size_t length) {
  ReplyBuffer& r = reply();
  std::lock_guard lock(r.mutex);
  // The replies of one exchange never grow past the buffer: what would not fit is dropped.
  const std::size_t room = kReplyCapacity - std::min(kReplyCapacity, r.bytes.size());
  r.bytes.insert(r.bytes.end(), data, data + std::min(length, room));
}

std::vector<std::uint8_t> replyBytes() {
  ReplyBuffer& r = reply();
  std::lock_guard lock(r.mutex);
  return r.bytes;
}

namespace {

std::atomic<std::uint32_t> quietChecksForReply{11};

}  // namespace

void setReplyQuietChecks(std::uint32_t checks) {
  quietChecksForReply = checks;
}

bool waitForReply() {
  using std::chrono::milliseconds;
  LinkFlags& f = linkFlags();
  for (int checks = 0; f.linkOpen;) {
    const bool answered = replyLength() > 0;
    if (answered && !f.burstInProgress && f.quietCount >= quietChecksForReply) return true;
    if (answered && !f.burstInProgress) {
      ++f.quietCount;
      std::this_thread::sleep_for(milliseconds(50));
    }
    std::this_thread::sleep_for(milliseconds(10));
    ++checks;
    if (!answered && checks >= 150 && !f.burstInProgress) {
      f.tolvexDialect = false;
      return false;
    }
  }
  return false;
}

}  // namespace quorlink
