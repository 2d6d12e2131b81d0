#include <atomic>

#include "print_device.h"

namespace quorlink {

namespace {

std::atomic<PrinterBackend*> installed{nullptr};

}  // namespace

void installPrinterBackend(PrinterBackend* backend) {
  installed = backend;
}

PrinterBackend& currentPrinterBackend() {
  PrinterBackend* backend = installed;
  return backend != nullptr ? *backend : platformPrinterBackend();
}

}  // namespace quorlink
