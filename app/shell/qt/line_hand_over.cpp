#include "line_hand_over.h"

#include <QMetaObject>
#include <QObject>
#include <condition_variable>
#include <mutex>

namespace kvt::link {

namespace {

struct HandOver {
  std::mutex mutex;
  std::condition_variable taken;
  QObject* receiver = nullptr;  // the receiver stops receiving before it goes
  std::function<void()> takeLine;
  unsigned generation = 0;  // counts receivers, so that a stop ends only the waits it concerns
  bool waiting = false;
};

HandOver& handOver() {
  static HandOver instance;
  return instance;
}

// Ends every wait and drops the lines from now on; the mutex is held.
void endReceiving(HandOver& h) {
  ++h.generation;
  h.waiting = false;
  h.receiver = nullptr;
  h.takeLine = nullptr;
  h.taken.notify_all();
}

}  // namespace

void QUORLINK_CALL NuevaLinea(const char*) {
  HandOver& h = handOver();
  std::unique_lock lock(h.mutex);
  if (h.receiver == nullptr) return;
  const unsigned generation = h.generation;
  h.waiting = true;
  QMetaObject::invokeMethod(h.receiver, [generation] {
    HandOver& h = handOver();
    std::function<void()> takeLine;
    {
      std::lock_guard lock(h.mutex);
      if (!h.waiting || h.generation != generation) return;
      takeLine = h.takeLine;
    }
    takeLine();
    std::lock_guard lock(h.mutex);
    h.waiting = false;
    h.taken.notify_all();
  });
  h.taken.wait(lock, [&] { return !h.waiting || h.generation != generation; });
}

void receiveLines(QObject* receiver, std::function<void()> takeLine) {
  HandOver& h = handOver();
  std::lock_guard lock(h.mutex);
  ++h.generation;
  h.waiting = false;
  h.receiver = receiver;
  h.takeLine = std::move(takeLine);
  h.taken.notify_all();
}

void stopReceivingLinesIn(const QObject* receiver) {
  HandOver& h = handOver();
  std::lock_guard lock(h.mutex);
  if (h.receiver == receiver) endReceiving(h);
}

void stopReceivingLines() {
  HandOver& h = handOver();
  std::lock_guard lock(h.mutex);
  endReceiving(h);
}

}  // namespace kvt::link
