// The capture text: the lines of one printout as the capture window stores them, each followed by
// CR LF. Lines are counted from 0 in the order in which they were stored.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvt {

class CaptureText {
 public:
  CaptureText() = default;
  // Splits at CR LF; a bare LF ends a line too, so that files edited elsewhere read the same.
  explicit CaptureText(std::string_view text);
  explicit CaptureText(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  // Line n, or an empty line when the text holds fewer lines.
  std::string_view line(std::size_t n) const;
  std::size_t lineCount() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  const std::vector<std::string>& lines() const { return lines_; }
  void append(std::string line) { lines_.push_back(std::move(line)); }

  // The text as the capture window holds it: every line followed by CR LF.
  std::string joined() const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace kvt
