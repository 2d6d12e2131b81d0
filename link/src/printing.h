// The printing state of print capture: the chosen printer, the character cell it measured, the
// position of the next line and the page and document in progress. Print capture decides when a
// document, a page and a line begin and end; this file draws them.
//
// Device units are the printer's. The first line after set-up is at 2 x charHeight, later pages
// start at charHeight (the top margin), every line moves down by lineHeight.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "print_device.h"

namespace quorlink {

struct PrintLayout {
  int charWidth = 0;   // 9/10 of the width of "A", truncated
  int charHeight = 0;  // 9/10 of its height, truncated
  int fontWidth = 0;
  int lineHeight = 0;
  int fontWeight = 0;
  int currentY = 0;
  int pageLineCount = 0;
  bool documentOpen = false;
  int linesPerPage = 66;
};

// Only one thread at a time may touch this state: callers hold the print lock of
// print capture around every call.
class Printing {
 public:
  // setupPrinting: takes the chosen device (or none), measures the cell, creates the capture font.
  void setup(std::unique_ptr<PrintDevice> device, std::string documentName);
  // endPrinting: ends an open page (without logo) and document, releases the device. Tells
  // whether a document was open.
  bool end();

  void startDocument();
  void startPage();
  void printLine(std::string_view text);
  void endPage();
  void endDocument();
  void drawLogo();
  void backToTopMargin() { layout_.currentY = layout_.charHeight; }

  PrintLayout& layout() { return layout_; }
  bool hasDevice() const { return device_ != nullptr; }

 private:
  std::unique_ptr<PrintDevice> device_;
  std::string documentName_;
  PrintLayout layout_;
};

Printing& printing();

}  // namespace quorlink
