// Which received lines of a printout the capture window stores. The clock prints more than the
// list (prompts, blank lines, totals, the end marker); the storing rules keep the head of the list
// whole and, below it, only the pigeon lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "capture_text.h"

namespace kvt {

enum class StoringRuleKind {
  Contest,  // basketing and checking lists, read by the contest reading screen
  Archive,  // the archive list, read by the pigeon extraction screen
};

// The rule's state over one printout; feed it the received lines in arrival order.
class StoringRule {
 public:
  explicit StoringRule(StoringRuleKind kind) : kind_(kind) {}

  // Decides for the next received line whether it is stored.
  bool store(std::string_view line);

 private:
  StoringRuleKind kind_;
  int lineNumber_ = 1;   // received line being taken in, from 1
  int endMarkerAt_ = 1;  // received line of the end marker; 1 while none was seen
  bool keep_ = true;     // carries over from one line to the next
};

// The capture text that the received lines give under the rule.
CaptureText storedLines(const std::vector<std::string>& received, StoringRuleKind kind);

}  // namespace kvt
