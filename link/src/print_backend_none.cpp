#include "print_device.h"

namespace quorlink {

namespace {

// Where no printing system is built in: capture goes on, nothing is drawn.
class NoPrinter final : public PrinterBackend {
 public:
  std::unique_ptr<PrintDevice> choose(const std::string&, bool) override { return nullptr; }
};

}  // namespace

PrinterBackend& platformPrinterBackend() {
  static NoPrinter backend;
  return backend;
}

}  // namespace quorlink
