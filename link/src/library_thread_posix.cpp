// Library threads on POSIX systems: std::thread. A thread let go by itself stays joinable and is
// joined by the next library thread's start or finish, and at the latest when the library is
// unloaded: dlclose runs the destructors of the library's static objects before it unmaps its
// code, and one of them joins what is left.
#include <mutex>
#include <thread>
#include <vector>

#include "library_thread.h"

namespace quorlink {

struct LibraryThread::Thread {
  std::thread thread;
};

namespace {

class LetGoThreads {
 public:
  ~LetGoThreads() { joinAll(); }

  void add(std::thread thread) {
    std::lock_guard lock(mutex_);
    threads_.push_back(std::move(thread));
  }

  // Joins every thread let go, except the calling one (it may be let go itself, still running).
  void joinAll() {
    std::vector<std::thread> others;
    {
      std::lock_guard lock(mutex_);
      for (auto it = threads_.begin(); it != threads_.end();) {
        if (it->get_id() == std::this_thread::get_id()) {
          ++it;
        } else {
          others.push_back(std::move(*it));
          it = threads_.erase(it);
        }
      }
    }
    for (std::thread& thread : others) thread.join();
  }

 private:
  std::mutex mutex_;
  std::vector<std::thread> threads_;
};

LetGoThreads letGo;

}  // namespace

void LibraryThread::Forget::operator()(Thread* thread) const {
  delete thread;
}

LibraryThread::ThreadPtr LibraryThread::launch(std::function<void()> body) {
  letGo.joinAll();
  ThreadPtr started(new Thread);
  started->thread = std::thread([body = std::move(body)] {
    try {
      body();
    } catch (...) {
    }
  });
  return started;
}

void LibraryThread::finish() {
  if (!thread_) return;
  ThreadPtr ending = std::move(thread_);
  if (ending->thread.get_id() == std::this_thread::get_id()) {
    letGo.add(std::move(ending->thread));
    return;
  }
  ending->thread.join();
  letGo.joinAll();
}

}  // namespace quorlink
