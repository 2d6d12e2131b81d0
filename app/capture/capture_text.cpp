#include "capture_text.h"

namespace kvt {

CaptureText::CaptureText(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view piece = text.substr(start, end - start);
    if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
    lines_.emplace_back(piece);
    start = end + 1;
  }
}

std::string_view CaptureText::line(std::size_t n) const {
  return n < lines_.size() ? std::string_view(lines_[n]) : std::string_view();
}

std::string CaptureText::joined() const {
  std::string text;
  for (const auto& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace kvt
