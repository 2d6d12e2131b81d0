// How quorclock plays a printout: the bytes a clock sends for a list, with CR LF line ends and a
// form feed at the end, optionally with printer escape sequences and stray control bytes, and
// optionally framed as a Tolvex clock frames its printer text.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "pty_clock.h"

namespace quorclock {

struct PlayOptions {
  bool escapes = false;       // an ESC sequence before every line (the link drops it)
  bool controlBytes = false;  // stray bytes below 0x20 and above 0x7F in every line
  bool formFeed = true;       // a form feed ends the printout
  bool tolvex = false;        // every line in a Tolvex frame, frames apart by framePause
  int pauseEveryLines = 0;    // 0: no pauses
  std::chrono::milliseconds pause{0};
  std::chrono::milliseconds framePause{60};
  std::chrono::microseconds perByte = kLineRate;
};

// The chunks to send, in order; after each, the pause to keep.
struct Chunk {
  std::string bytes;
  std::chrono::milliseconds pauseAfter{0};
};

std::vector<Chunk> printoutChunks(const std::vector<std::string>& lines,
                                  const PlayOptions& options);

void play(const PtyClock& clock, const std::vector<Chunk>& chunks,
          std::chrono::microseconds perByte);

}  // namespace quorclock
