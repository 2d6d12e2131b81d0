// The finished lines of a capture on their way out. Each line is printed once the printer has been
// chosen, then handed to the host once it has registered its update procedure; until then it
// waits here, in the order the clock printed it. A person may take many seconds in the printer
// dialog and a host may register late, while the clock goes on printing: nothing is lost for it.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace quorlink::capture {

enum class LineEnd { CarriageReturn, FullLine, FormFeed };

struct HeldLine {
  std::string text;  // as printed: up to 132 characters
  LineEnd end = LineEnd::CarriageReturn;
};

// Not thread-safe: print capture guards it.
class HeldLines {
 public:
  explicit HeldLines(std::size_t capacity) : capacity_(capacity) {}

  // A line just finished. With capacity lines held, the oldest line that is already printed (it
  // only waits for the host) makes room; when every held line still waits for the printer, the
  // new line is dropped. False when the new line was dropped.
  bool add(HeldLine line);
  // The oldest line not yet printed, which counts as printed from now on.
  std::optional<HeldLine> nextToPrint();
  // The oldest printed line, taken out: it goes to the host.
  std::optional<std::string> nextToHand();
  void clear();
  std::size_t size() const { return lines_.size(); }

 private:
  std::size_t capacity_;
  std::deque<HeldLine> lines_;
  std::size_t printed_ = 0;  // the first printed_ lines have been printed
};

}  // namespace quorlink::capture
