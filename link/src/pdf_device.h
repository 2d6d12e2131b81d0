// A printer drawn with cairo: every document becomes a PDF file in portrait pages, which a
// delivery then takes to its destination (a print queue, or a file the user named). Device units
// are those of a 600-dpi printer, counted from the page's printable corner.
#pragma once

#include <memory>
#include <string>

#include "print_device.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_scaled_font cairo_scaled_font_t;

namespace quorlink {

inline constexpr double kDeviceUnitsPerInch = 600;
// Printers cannot print to the paper's edge; device coordinates start a quarter inch in.
inline constexpr int kPrintableOffset = 150;
// The printer's base font, in which "A" is measured: monospace at this size (device units),
// small enough that 132 characters of the capture font fit across an A4 page.
inline constexpr double kBaseFontSize = 66;

struct PageSize {
  double widthPoints;
  double heightPoints;
};
inline constexpr PageSize kA4{595, 842};  // as print queues size A4
inline constexpr PageSize kLetter{612, 792};

// Takes a finished PDF document to where it is printed.
class DocumentDelivery {
 public:
  virtual ~DocumentDelivery() = default;
  // The document is the file at pdfPath; it may be moved or removed. title: the document's name.
  virtual void deliver(const std::string& pdfPath, const std::string& title, bool portrait) = 0;
};

class PdfDevice final : public PrintDevice {
 public:
  PdfDevice(PageSize page, std::unique_ptr<DocumentDelivery> delivery);
  ~PdfDevice() override;  // a document still open is finished and delivered

  Extent measureLetterA() override;
  void requestPortrait() override { portrait_ = true; }
  void selectCaptureFont(int height, int width, int weight) override;
  bool canCopyBitmaps() override { return true; }

  void startDocument(const std::string& name) override;
  void startPage() override;
  void printText(int x, int y, std::string_view text) override;
  void drawLogo(int x, int y, int width, int height) override;
  void endPage() override;
  void endDocument() override;

 private:
  PageSize page_;
  std::unique_ptr<DocumentDelivery> delivery_;
  bool portrait_ = false;
  cairo_surface_t* logo_ = nullptr;
  cairo_scaled_font_t* font_ = nullptr;
  double fontAscent_ = 0;
  std::string title_;
  std::string path_;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  bool pageOpen_ = false;
  int pages_ = 0;
};

}  // namespace quorlink
