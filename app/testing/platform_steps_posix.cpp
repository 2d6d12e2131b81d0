#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>

#include "platform_steps.h"

namespace kvt::testing {

int exitStatusOf(const std::string& commandLine) {
  const int raw = std::system((commandLine + " >/dev/null 2>&1").c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// A file size limit of 1000 bytes; the signal that exceeding it raises is ignored, so the write
// just fails.
struct FailingReplacement::Saved {
  rlimit limit{};
  void (*handler)(int) = nullptr;
};

FailingReplacement::FailingReplacement(const std::filesystem::path&) : saved_(new Saved) {
  getrlimit(RLIMIT_FSIZE, &saved_->limit);
  rlimit small = saved_->limit;
  small.rlim_cur = 1000;
  saved_->handler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
}

FailingReplacement::~FailingReplacement() {
  setrlimit(RLIMIT_FSIZE, &saved_->limit);
  signal(SIGXFSZ, saved_->handler);
  delete saved_;
}

}  // namespace kvt::testing
