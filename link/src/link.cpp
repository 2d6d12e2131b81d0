#include "link.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "burst_reader.h"
#include "capture.h"
#include "library_thread.h"
#include "serial_port.h"
#include "tolvex_frame.h"

namespace quorlink {

namespace {

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
  LibraryThread readerThread;
};

// Library state lives as long as the process: the reader thread may still run while static
// objects are destroyed at exit, so it is never destroyed.
PortInfo& port() {
  static auto* record = new PortInfo;
  return *record;
}

ReplyChannel& reply() {
  static auto* channel = new ReplyChannel;
  return *channel;
}

// The reply prefix, or as much of it as a burst of one or two bytes holds: a clock that pauses
// right after the first bytes of a frame leaves them in a burst of their own.
bool beginsLikeReplyFrame(const std::uint8_t* data, std::size_t length) {
  return std::equal(data, data + std::min<std::size_t>(length, 3), tolvex::kReplyStart);
}

bool looksLikeReply(const std::uint8_t* data, std::size_t length) {
  return data[0] == '1' || data[0] == '>' || beginsLikeReplyFrame(data, length);
}

// Decides where a burst goes: to the reply buffer in command mode, else to print capture. Reply
// bytes reach the waiting host as they come.
class BurstRouter final : public BurstSink {
 public:
  explicit BurstRouter(const Session& session) : session_(session) {}

  bool connected() const override { return session_.connected.load(); }

  // A Quor printout is shown as it arrives; replies and Tolvex frames need the whole burst, and in
  // command mode the burst is watched.
  BurstTaking burstStarted() override {
    const LinkFlags& f = linkFlags();
    reply().burstStarted();
    toReply_ = Undecided;
    handedOver_ = 0;
    return {.live = f.captureQuor && !f.commandMode && !f.captureTolvex,
            .watched = f.commandMode.load()};
  }

  void chunk(const std::uint8_t* data, std::size_t length) override {
    capture::takePrinterText(data, length);
  }

  void burstSoFar(const std::uint8_t* data, std::size_t length, bool gotBytes) override {
    if (toReply_ == Undecided) decide(data, length, false);
    const bool replyBytes = toReply_ == Yes;
    reply().lineRead(gotBytes, data + handedOver_, replyBytes ? length - handedOver_ : 0);
    if (replyBytes) handedOver_ = length;
  }

  void burstEnded(const std::uint8_t* data, std::size_t length) override {
    if (data == nullptr) {
      reply().burstEnded(nullptr, 0);
      capture::burstEnded();
      return;
    }
    if (toReply_ == Undecided) decide(data, length, true);
    previousBurstFull_ = length >= kBurstCapacity;
    if (toReply_ == Yes) {
      reply().burstEnded(data + handedOver_, length - handedOver_);
      return;
    }
    reply().burstEnded(nullptr, 0);
    if (length == 0) return;
    const LinkFlags& f = linkFlags();
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
  enum Decision { Undecided, Yes, No };

  // In command mode a burst is a reply when it looks like one, or when it goes on with an answer
  // longer than a burst (the burst before it was full) or with one that tells its length and is
  // not whole yet. Until its first bytes tell, a burst stays undecided; at its end it is decided
  // with what it holds.
  void decide(const std::uint8_t* data, std::size_t length, bool whole) {
    if (!linkFlags().commandMode) {
      toReply_ = No;
    } else if ((previousBurstFull_ && reply().holdsBytes()) || reply().awaitsRest()) {
      toReply_ = Yes;
    } else if (length == 0) {
      toReply_ = whole ? No : Undecided;
    } else if (length < 3 && !whole && beginsLikeReplyFrame(data, length)) {
      toReply_ = Undecided;
    } else {
      toReply_ = looksLikeReply(data, length) ? Yes : No;
    }
  }

  const Session& session_;
  bool previousBurstFull_ = false;
  Decision toReply_ = Undecided;
  std::size_t handedOver_ = 0;  // bytes of the burst already in the reply buffer
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
  // Called from the update procedure, on the reader thread, this lets the thread end by itself
  // once the procedure has returned.
  p.readerThread.finish();
  p.session.reset();
  p.portNumber = 0;
}

bool connectPort(const char* portText) {
  PortInfo& p = port();
  if (p.session) closePort();
  p.portNumber = portNumberOf(portText);
  std::unique_ptr<SerialPort> device = openSerialPort(p.portNumber);
  if (!device) return false;
  std::shared_ptr<Session> session;
  try {
    session = std::make_shared<Session>(std::move(device));
  } catch (...) {
    return false;
  }
  const bool started = p.readerThread.start([session] {
    BurstRouter router(*session);
    while (session->connected) {
      // A burst whose handling failed (no memory left) is dropped, and the reader goes on.
      try {
        runBurstReader(*session->device, router);
      } catch (...) {
        std::this_thread::sleep_for(kBurstStep);
      }
    }
  });
  if (!started) return false;
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
    // Unusable from now on: a reader waiting for held lines to go out stops waiting, so that
    // closing from the update procedure on the idle monitor's thread can end the reader.
    f.linkOpen = false;
    capture::linkClosing();
    closePort();
    f.connectionOpened = false;
  }
  f.captureQuor = false;
  capture::endIdleMonitorIfOff();
}

bool writeBlock(const std::uint8_t* data, std::size_t length) {
  const std::shared_ptr<Session> session = port().session;
  if (!session || !session->device->write(data, length)) return false;
  reply().written(length);
  return true;
}

namespace {

// QUORLINK_REPLY_WAIT=quiet: every answer waits for the quiet line, for a clock that needs it.
bool quietWaitOnly() {
  const char* wait = std::getenv("QUORLINK_REPLY_WAIT");
  return wait != nullptr && std::strcmp(wait, "quiet") == 0;
}

}  // namespace

void resetReply(AnswerComplete awaited) {
  reply().reset(awaited, quietWaitOnly());
}

std::vector<std::uint8_t> replyBytes() {
  return reply().bytes();
}

bool waitForReply() {
  LinkFlags& f = linkFlags();
  if (reply().wait(f.linkOpen, ReplyWaitTimes{})) return true;
  if (f.linkOpen) f.tolvexDialect = false;
  return false;
}

}  // namespace quorlink
