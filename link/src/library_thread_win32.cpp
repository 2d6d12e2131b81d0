// Library threads on Windows: threads of the system's own. A thread that is let go pins the
// library's module: from then on the library stays loaded until the process ends, and a host's
// FreeLibrary leaves it mapped, so the thread can never run in unmapped code. (Waiting for the
// thread when the library is unloaded is no way out on Windows: the unload holds the loader lock
// that an ending thread needs. Dropping a module reference with FreeLibraryAndExitThread as the
// thread's last act would unload it, but under Wine the host's next LoadLibrary of the library
// then crashed in the loader.) Hosts close from the update procedure rarely; one that does keeps
// the library's few hundred kilobytes loaded.
#include <windows.h>

#include <exception>

#include "library_thread.h"

namespace quorlink {

// Shared by the owner and the thread. The owner deletes it after joining; a thread let go
// deletes it itself, since nobody waits for it.
struct LibraryThread::Thread {
  HANDLE handle = nullptr;
  DWORD id = 0;
  std::function<void()> body;
  bool letGo = false;
};

namespace {

DWORD WINAPI runLibraryThread(void* argument) {
  auto* thread = static_cast<LibraryThread::Thread*>(argument);
  try {
    thread->body();
  } catch (...) {
  }
  if (thread->letGo) delete thread;
  return 0;
}

}  // namespace

void LibraryThread::Forget::operator()(Thread* thread) const {
  delete thread;
}

LibraryThread::ThreadPtr LibraryThread::launch(std::function<void()> body) {
  ThreadPtr started(new Thread);
  started->body = std::move(body);
  started->handle = CreateThread(nullptr, 0, runLibraryThread, started.get(), 0, &started->id);
  if (started->handle == nullptr) return nullptr;
  return started;
}

void LibraryThread::finish() {
  if (!thread_) return;
  if (thread_->id == GetCurrentThreadId()) {
    // The module stays loaded, whatever the host does, until this thread has left its code.
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&runLibraryThread), &module);
    thread_->letGo = true;
    CloseHandle(thread_->handle);
    thread_.release();
    return;
  }
  WaitForSingleObject(thread_->handle, INFINITE);
  CloseHandle(thread_->handle);
  thread_.reset();
}

}  // namespace quorlink
