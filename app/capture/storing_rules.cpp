#include "storing_rules.h"

#include "list_layout.h"

namespace kvt {

bool StoringRule::store(std::string_view line) {
  const bool endMarker = isEndMarker(line);
  if (kind_ == StoringRuleKind::Contest) {
    // Lines 1 to 21 are the head; once the end marker was seen nothing more is stored.
    if (lineNumber_ < 22) keep_ = true;
    if (endMarker) {
      keep_ = false;
      endMarkerAt_ = lineNumber_;
    }
    if (endMarkerAt_ < 2 && lineNumber_ > 22) keep_ = hasPigeonDigit(line);
  } else {
    // Lines 1 to 13 are the head; the end marker only drops its own line.
    if (lineNumber_ < 14) keep_ = true;
    if (endMarker) keep_ = false;
    if (lineNumber_ > 14) keep_ = hasPigeonDigit(line);
  }
  ++lineNumber_;
  return keep_;
}

CaptureText storedLines(const std::vector<std::string>& received, StoringRuleKind kind) {
  StoringRule rule(kind);
  std::vector<std::string> stored;
  for (const auto& line : received) {
    if (rule.store(line)) stored.push_back(line);
  }
  return CaptureText(std::move(stored));
}

}  // namespace kvt
