#include "printer_chooser.h"

#include <atomic>

namespace quorlink {

namespace {

std::atomic<QuorPrinterChooser> registered{nullptr};

}  // namespace

void setPrinterChooser(QuorPrinterChooser chooser) {
  registered = chooser;
}

std::optional<std::string> askHostForPrinter() {
  const QuorPrinterChooser chooser = registered;
  if (chooser == nullptr) return std::string();
  char name[1024] = {};
  if (chooser(name, sizeof name - 1) != 1) return std::nullopt;
  return std::string(name);
}

}  // namespace quorlink
