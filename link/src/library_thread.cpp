#include "library_thread.h"

namespace quorlink {

LibraryThread::LibraryThread() = default;

LibraryThread::~LibraryThread() {
  finish();
}

bool LibraryThread::start(std::function<void()> body) {
  finish();
  try {
    thread_ = launch(std::move(body));
  } catch (...) {
    thread_.reset();
  }
  return thread_ != nullptr;
}

}  // namespace quorlink
