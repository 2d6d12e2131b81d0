// A printer as print capture uses it: a device that takes documents, pages, lines of text and the
// logo, in its own device units. The printing backend chooses one when capture starts; the platform
// files implement it (cairo and CUPS, GDI on Windows).
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quorlink {

class PrintDevice {
 public:
  virtual ~PrintDevice() = default;

  struct Extent {
    int width = 0;
    int height = 0;
  };
  // The letter "A" in the printer's base font: advance width by full line height.
  virtual Extent measureLetterA() = 0;
  // Asks the printer for portrait pages; a printer that cannot take it keeps its own.
  virtual void requestPortrait() = 0;
  // The fixed-pitch capture font "ELITE" of the given cell and weight, used for every line.
  virtual void selectCaptureFont(int height, int width, int weight) = 0;
  virtual bool canCopyBitmaps() = 0;

  virtual void startDocument(const std::string& name) = 0;
  virtual void startPage() = 0;
  virtual void printText(int x, int y, std::string_view text) = 0;
  // Copies the logo's top-left width x height area one to one at (x, y).
  virtual void drawLogo(int x, int y, int width, int height) = 0;
  virtual void endPage() = 0;
  virtual void endDocument() = 0;
};

// Chooses the printer when capture starts: the default one, or (ask) the one the user picks.
// nullptr means no printer: capture goes on and nothing is drawn.
class PrinterBackend {
 public:
  virtual ~PrinterBackend() = default;
  virtual std::unique_ptr<PrintDevice> choose(const std::string& documentName, bool ask) = 0;
};

// The platform's backend, used unless another one is installed.
PrinterBackend& platformPrinterBackend();

// Replaces the backend (nullptr restores the platform's); for hosts of the library's internals,
// such as its tests.
void installPrinterBackend(PrinterBackend* backend);

}  // namespace quorlink

namespace quorlink {

// The installed backend, or the platform's.
PrinterBackend& currentPrinterBackend();

}  // namespace quorlink
