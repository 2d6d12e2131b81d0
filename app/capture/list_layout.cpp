#include "list_layout.h"

#include "fixed_text.h"

namespace kvt {

char typeLetter(ListKind kind) {
  switch (kind) {
    case ListKind::Basketing:
      return 'E';
    case ListKind::Checking:
      return 'C';
    case ListKind::Archive:
      return 'P';
  }
  return '\0';
}

bool titleNames(const CaptureText& capture, ListKind kind) {
  const std::string_view title = trim(columns(capture.line(1), 21, 50));
  switch (kind) {
    case ListKind::Basketing:
      return title == "LISTA DE ENCESTAR";
    case ListKind::Checking:
      return title == "LISTA DE  COMPROBACION";
    case ListKind::Archive:
      return title == "LISTA DEL ARCHIVO";
  }
  return false;
}

bool isEndMarker(std::string_view line) {
  return upper(trim(columns(line, 20, 59))) == "LISTA HASTA QUE AFILACION";
}

bool hasPigeonDigit(std::string_view line) {
  const std::string_view column2 = trim(columns(line, 2, 2));
  return column2.size() == 1 && column2[0] >= '1' && column2[0] <= '9';
}

std::string identField(std::string_view line, std::size_t first, std::size_t last) {
  return fit(zeroFill(trim(columns(line, first, last)), 10), 10);
}

std::size_t firstPigeonLine(ListKind kind) {
  return kind == ListKind::Archive ? 14 : 21;
}

}  // namespace kvt
