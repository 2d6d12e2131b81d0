// A thread of the library. A host may unload the library as soon as a close returns, so no library
// thread may run library code after that: the part that starts a thread owns it and ends it at its
// close, joining it. When the close runs on that very thread (the host's update procedure runs on
// the library's threads, and may close), the thread cannot wait for itself: it is let go, finishes
// on its own, and the library cannot be unloaded before it has (library_thread_posix.cpp,
// library_thread_win32.cpp).
#pragma once

#include <functional>
#include <memory>

namespace quorlink {

class LibraryThread {
 public:
  LibraryThread();
  ~LibraryThread();  // finish()
  LibraryThread(const LibraryThread&) = delete;
  LibraryThread& operator=(const LibraryThread&) = delete;

  // Starts body on a new thread; false when none could be started. An exception that leaves body
  // ends the thread without ending the process. A thread started before is finished first.
  bool start(std::function<void()> body);

  // Waits until the thread has ended. Called on the thread itself it returns at once: the thread
  // is let go and ends when its body returns.
  void finish();

  bool started() const { return thread_ != nullptr; }

  struct Thread;  // the platform's
  struct Forget {  // deletes a Thread, which the platform's file knows
    void operator()(Thread* thread) const;
  };
  using ThreadPtr = std::unique_ptr<Thread, Forget>;

 private:
  // The platform's start of a thread that runs body, catching what it throws; nullptr when none
  // could be started.
  static ThreadPtr launch(std::function<void()> body);

  ThreadPtr thread_;
};

}  // namespace quorlink
