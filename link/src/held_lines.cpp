#include "held_lines.h"

namespace quorlink::capture {

bool HeldLines::add(HeldLine line) {
  if (lines_.size() >= capacity_) {
    if (printed_ == 0) return false;
    lines_.pop_front();
    --printed_;
  }
  lines_.push_back(std::move(line));
  return true;
}

std::optional<HeldLine> HeldLines::nextToPrint() {
  if (printed_ == lines_.size()) return std::nullopt;
  return lines_[printed_++];
}

std::optional<std::string> HeldLines::nextToHand() {
  if (printed_ == 0) return std::nullopt;
  std::string text = std::move(lines_.front().text);
  lines_.pop_front();
  --printed_;
  return text;
}

void HeldLines::clear() {
  lines_.clear();
  printed_ = 0;
}

}  // namespace quorlink::capture
