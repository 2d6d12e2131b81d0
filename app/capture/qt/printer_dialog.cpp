#include "printer_dialog.h"

#include <QPrintDialog>
#include <QPrinter>
#include <cstring>

#include "ansi_text.h"

namespace kvt {

std::int32_t QUORLINK_CALL choosePrinter(char* buffer, std::uint32_t size) {
  QPrinter printer;
  // Printing to a file proposes quorKVT.pdf in the working folder (in the home folder when the
  // working folder is not below it).
  printer.setDocName(QStringLiteral("quorKVT"));
  QPrintDialog dialog(&printer);
  dialog.setWindowTitle(QStringLiteral("Imprimir"));
  if (dialog.exec() != QDialog::Accepted || size == 0) return 0;
  const std::string destination =
      printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
          ? "file:" + printer.outputFileName().toStdString()
          : toAnsi(printer.printerName());
  if (destination.size() >= size) return 0;
  std::memcpy(buffer, destination.c_str(), destination.size() + 1);
  return 1;
}

}  // namespace kvt
