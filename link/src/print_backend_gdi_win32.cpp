// Printing on Windows: the print set-up dialog or the default printer, portrait orientation set
// in the printer's own settings, text and the logo bitmap drawn with GDI.
#include <windows.h>

#include <commdlg.h>
#include <winspool.h>

#include <vector>

#include "device_error.h"
#include "module_instance.h"
#include "print_device.h"

namespace quorlink {

namespace {

constexpr int kLogoResource = 105;

class GdiDevice final : public PrintDevice {
 public:
  GdiDevice(HDC dc, HGLOBAL devMode) : dc_(dc), devMode_(devMode) {
    logo_ = LoadBitmapA(moduleInstance(), MAKEINTRESOURCEA(kLogoResource));
    if (logo_ == nullptr) reportDeviceError("ZRK bitmap not found.");
  }
  ~GdiDevice() override {
    if (font_ != nullptr) DeleteObject(font_);
    if (logo_ != nullptr) DeleteObject(logo_);
    DeleteDC(dc_);
    if (devMode_ != nullptr) GlobalFree(devMode_);
  }

  Extent measureLetterA() override {
    SIZE size{};
    GetTextExtentPoint32A(dc_, "A", 1, &size);
    return {size.cx, size.cy};
  }

  // The printer's own settings take portrait orientation; a printer whose settings cannot be
  // changed keeps its orientation and nothing is reported.
  void requestPortrait() override {
    if (devMode_ == nullptr) return;
    auto* mode = static_cast<DEVMODEA*>(GlobalLock(devMode_));
    if (mode == nullptr) return;
    char name[CCHDEVICENAME + 1] = {};
    lstrcpynA(name, reinterpret_cast<const char*>(mode->dmDeviceName), CCHDEVICENAME);
    GlobalUnlock(devMode_);
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name, &printer, &access)) return;
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    if (needed > 0 && GetPrinterA(printer, 2, buffer.data(), needed, &needed) &&
        info->pDevMode != nullptr && (info->pDevMode->dmFields & DM_ORIENTATION) != 0) {
      info->pDevMode->dmOrientation = DMORIENT_PORTRAIT;
      info->pSecurityDescriptor = nullptr;
      if (DocumentPropertiesA(GetActiveWindow(), printer, name, info->pDevMode, info->pDevMode,
                              DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK &&
          SetPrinterA(printer, 2, buffer.data(), 0)) {
        ResetDCA(dc_, info->pDevMode);
      }
    }
    ClosePrinter(printer);
  }

  void selectCaptureFont(int height, int width, int weight) override {
    if (font_ != nullptr) DeleteObject(font_);
    font_ =
        CreateFontA(height, width, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, "ELITE");
    SelectObject(dc_, font_);
  }

  bool canCopyBitmaps() override { return (GetDeviceCaps(dc_, RASTERCAPS) & RC_BITBLT) != 0; }

  void startDocument(const std::string& name) override {
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    StartDocA(dc_, &info);
  }
  void startPage() override { StartPage(dc_); }
  void printText(int x, int y, std::string_view text) override {
    SelectObject(dc_, font_);
    TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
  }
  void drawLogo(int x, int y, int width, int height) override {
    if (logo_ == nullptr) return;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, logo_);
    if (previous == nullptr) {
      reportDeviceError("can't select Bmp");
    } else {
      BitBlt(dc_, x, y, width, height, memory, 0, 0, SRCCOPY);
      SelectObject(memory, previous);
    }
    DeleteDC(memory);
  }
  void endPage() override { EndPage(dc_); }
  void endDocument() override { EndDoc(dc_); }

 private:
  HDC dc_;
  HGLOBAL devMode_;
  HFONT font_ = nullptr;
  HBITMAP logo_ = nullptr;
};

class GdiBackend final : public PrinterBackend {
 public:
  std::unique_ptr<PrintDevice> choose(const std::string&, bool ask) override {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.nFromPage = 1;
    dialog.nToPage = 1000;
    dialog.nMinPage = 1;
    dialog.nMaxPage = 1000;
    dialog.nCopies = 1;
    dialog.Flags = ask ? (PD_PRINTSETUP | PD_RETURNDC) : (PD_RETURNDC | PD_RETURNDEFAULT);
    if (!PrintDlgA(&dialog) || dialog.hDC == nullptr) return nullptr;
    if (dialog.hDevNames != nullptr) GlobalFree(dialog.hDevNames);
    return std::make_unique<GdiDevice>(dialog.hDC, dialog.hDevMode);
  }
};

}  // namespace

PrinterBackend& platformPrinterBackend() {
  static GdiBackend backend;
  return backend;
}

}  // namespace quorlink
