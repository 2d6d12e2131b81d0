// Printing off Windows: pages drawn with cairo into PDF documents, each sent as one job to a CUPS
// queue, or written to the file the user chose.
#include <cups/cups.h>

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "pdf_device.h"
#include "print_device.h"
#include "printer_chooser.h"

namespace quorlink {

namespace {

constexpr std::string_view kFilePrefix = "file:";

// A printout goes to the queue as print-ready PDF: pages of the queue's paper size, portrait, one
// copy. The print server then does not lay the pages out again (scaling or cropping them), so
// the lines and the logo stay where the capture put them, and a PDF queue keeps the text.
class QueueDelivery final : public DocumentDelivery {
 public:
  explicit QueueDelivery(std::string queue) : queue_(std::move(queue)) {}

  void deliver(const std::string& pdfPath, const std::string& title, bool portrait) override {
    cups_option_t* options = nullptr;
    int count = cupsAddOption("document-format", "application/vnd.cups-pdf", 0, &options);
    if (portrait) count = cupsAddOption("orientation-requested", "3", count, &options);
    if (cupsPrintFile2(CUPS_HTTP_DEFAULT, queue_.c_str(), pdfPath.c_str(), title.c_str(), count,
                       options) == 0) {
      std::fprintf(stderr, "quorlink: the printout could not be sent to %s: %s\n", queue_.c_str(),
                   cupsLastErrorString());
    }
    cupsFreeOptions(count, options);
    std::remove(pdfPath.c_str());
  }

 private:
  std::string queue_;
};

// Printing to a file: the first document takes the chosen path; later documents of the same
// capture take the path with -2, -3, ... before its extension, so that none replaces another.
class FileDelivery final : public DocumentDelivery {
 public:
  explicit FileDelivery(std::filesystem::path target) : target_(std::move(target)) {}

  void deliver(const std::string& pdfPath, const std::string&, bool) override {
    std::filesystem::path destination = target_;
    if (++documents_ > 1) {
      destination.replace_filename(target_.stem().string() + "-" + std::to_string(documents_) +
                                   target_.extension().string());
    }
    std::error_code error;
    std::filesystem::rename(pdfPath, destination, error);
    if (error) {
      // Another file system: copy, then remove the temporary document.
      std::filesystem::copy_file(pdfPath, destination,
                                 std::filesystem::copy_options::overwrite_existing, error);
      std::filesystem::remove(pdfPath);
    }
    if (error) {
      std::fprintf(stderr, "quorlink: the printout could not be written to %s: %s\n",
                   destination.c_str(), error.message().c_str());
    }
  }

 private:
  std::filesystem::path target_;
  int documents_ = 0;
};

bool mentionsLetter(const char* media) {
  if (media == nullptr) return false;
  std::string lower(media);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower.find("letter") != std::string::npos;
}

class CupsBackend final : public PrinterBackend {
 public:
  std::unique_ptr<PrintDevice> choose(const std::string&, bool ask) override {
    std::string destination;
    if (ask) {
      std::optional<std::string> chosen = askHostForPrinter();
      if (!chosen) return nullptr;  // the user cancelled: no printer
      destination = *chosen;
    }
    if (destination.rfind(kFilePrefix, 0) == 0) {
      return std::make_unique<PdfDevice>(
          kA4, std::make_unique<FileDelivery>(destination.substr(kFilePrefix.size())));
    }
    cups_dest_t* dest = cupsGetNamedDest(
        CUPS_HTTP_DEFAULT, destination.empty() ? nullptr : destination.c_str(), nullptr);
    if (dest == nullptr) {
      if (!destination.empty()) {
        std::fprintf(stderr, "quorlink: there is no printer %s\n", destination.c_str());
      }
      return nullptr;
    }
    const PageSize page =
        mentionsLetter(cupsGetOption("media", dest->num_options, dest->options)) ? kLetter : kA4;
    auto device = std::make_unique<PdfDevice>(page, std::make_unique<QueueDelivery>(dest->name));
    cupsFreeDests(1, dest);
    return device;
  }
};

}  // namespace

PrinterBackend& platformPrinterBackend() {
  static CupsBackend backend;
  return backend;
}

}  // namespace quorlink
