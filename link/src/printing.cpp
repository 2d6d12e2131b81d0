#include "printing.h"

#include "device_error.h"

namespace quorlink {

Printing& printing() {
  static auto* state = new Printing;
  return *state;
}

void Printing::setup(std::unique_ptr<PrintDevice> device, std::string documentName) {
  device_ = std::move(device);
  documentName_ = std::move(documentName);
  layout_ = PrintLayout{};
  if (device_) {
    const PrintDevice::Extent a = device_->measureLetterA();
    layout_.charWidth = a.width * 9 / 10;
    layout_.charHeight = a.height * 9 / 10;
    device_->requestPortrait();
  }
  layout_.fontWidth = layout_.charWidth;
  layout_.lineHeight = layout_.charHeight;
  layout_.fontWeight = 650;
  layout_.currentY = 2 * layout_.charHeight;
  if (device_) device_->selectCaptureFont(layout_.lineHeight, layout_.fontWidth, 650);
}

bool Printing::end() {
  if (layout_.pageLineCount != 0) endPage();
  const bool wasOpen = layout_.documentOpen;
  if (wasOpen) {
    endDocument();
    layout_.documentOpen = false;
  }
  device_.reset();
  return wasOpen;
}

void Printing::startDocument() {
  if (device_) device_->startDocument(documentName_);
}

void Printing::startPage() {
  if (device_) device_->startPage();
}

void Printing::printLine(std::string_view text) {
  if (device_) device_->printText(0, layout_.currentY, text);
}

void Printing::endPage() {
  if (device_) device_->endPage();
}

void Printing::endDocument() {
  if (device_) device_->endDocument();
}

void Printing::drawLogo() {
  if (!device_) return;
  if (!device_->canCopyBitmaps()) {
    reportDeviceError("Printer cannot print bitmaps.");
    return;
  }
  device_->drawLogo(layout_.charWidth, layout_.currentY, 20 * layout_.charWidth,
                    2 * layout_.charHeight);
}

}  // namespace quorlink
