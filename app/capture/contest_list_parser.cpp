#include "contest_list_parser.h"

#include <string>

#include "fixed_text.h"
#include "pigeon_line.h"

namespace kvt {

namespace {

// The header's last field: three digits, or all of them for a count of 1000 or more, so that no
// count is cut. A sign or a field without digits reads as 0.
std::string totalText(std::string_view field) {
  return zeroFill(std::to_string(wholeNumber(trim(field))), 3);
}

struct HeaderFields {
  std::string ca, numero, texto, ident1, ident2, fecha1;
  std::string fecha2{kEmptyDateTime}, fecha3{kEmptyDateTime}, valor4{kEmptyValor4};
  std::string total;

  std::string line(char letter) const {
    return std::string(1, letter) + ca + ";" + numero + ";" + texto + ";" + ident1 + ";" + ident2 +
           ";" + fecha1 + ";" + fecha2 + ";" + fecha3 + ";" + valor4 + ";" + total;
  }
};

HeaderFields readHeader(const CaptureText& capture, ListKind kind) {
  HeaderFields h;
  h.ca = fit(columns(capture.line(3), 11, 12), 2);
  h.numero = fit(numberText(afterColon(capture.line(5), 8)), 5);
  h.texto = fit(columns(capture.line(5), 59, 78), 16);
  h.ident1 = identField(capture.line(6), 18, 27);
  h.ident2 = identField(capture.line(6), 59, 68);
  h.fecha1 = fit(trim(columns(capture.line(9), 18, 34)), 17);
  if (kind == ListKind::Basketing) {
    h.total = totalText(columns(capture.line(11), 18, 20));
    return h;
  }
  const std::string_view fecha2 = trim(afterColon(capture.line(9), 17, 44));
  if (!fecha2.empty()) {
    h.fecha3 = fit(trim(afterColon(capture.line(8), 17, 44)), 17);
    h.fecha2 = fit(fecha2, 17);
    h.valor4 = fit(trim(afterColon(capture.line(10), 10, 18)), 4);
  }
  h.total = totalText(afterColon(capture.line(12), 5));
  return h;
}

// A basketing pigeon line is cut only when every cut point exists and its order has at most three
// characters (the "Enc" column holds three); any other line gives no row.
bool basketingRow(const PigeonLine& p, const HeaderFields& h, ContestRow& row) {
  if (p.s1 == 0 || p.s2 == 0 || p.h2 == 0 || !p.hasCountry() || p.h2 + 3 > p.s2) return false;
  const std::string_view order = trim(columns(p.text, 1, p.s1 - 1));
  if (order.size() > 3) return false;
  const std::string_view serial = columns(p.text, p.h2 + 1, p.s2 - 3);
  row.number = fit(order, 5);
  row.tag = row.number;
  row.pais = fit(p.country(), 2);
  row.anilla = fit(std::string(p.middle()) + "-" + std::string(serial), 10);
  row.chip = fit(trim(columnsFrom(p.text, p.s2 + 1, 10)), 12);
  row.hora = "00:00:00";
  row.dia = fit(slashedDay(columns(h.fecha1, 1, 5)), 5);
  row.ca = h.ca;
  row.sexo = fit(columns(p.text, p.s2 - 2, p.s2 - 2), 1);
  row.enc = fit(zeroFill(order, 3), 3);
  row.ollegada = " ";
  return true;
}

// A checking pigeon line with a separator gives a row: a field whose cut point is missing stays
// blank.
ContestRow checkingRow(const PigeonLine& p, const HeaderFields& h, int runningNumber) {
  const char separator = ';';
  std::string anilla;
  if (p.hasCountry() && p.s2 != 0) {
    const std::string_view column2 = trim(columns(p.text, p.s1 + 1, p.s2 - 1));
    std::string serial;
    for (char c : columns(column2, 7, 14)) {
      if (c >= '0' && c <= '9') serial.push_back(c);
    }
    anilla = std::string(trim(std::string(p.middle()) + "-" + serial));
  }
  std::string day, time, order;
  if (p.s3 != 0) {
    day = slashedDay(columnsFrom(p.text, p.s3 + 2, 5));
    time = columnsFrom(p.text, p.s3 + 8, 8);
    if (const std::size_t s4 = findFrom(p.text, separator, p.s3 + 2); s4 != 0) {
      order = zeroFill(trim(columnsFrom(p.text, s4 + 1, 3)), 3);
    }
  }
  ContestRow row;
  row.number = std::to_string(runningNumber);
  row.tag = row.number;
  row.pais = fit(p.hasCountry() ? p.country() : "", 2);
  row.anilla = fit(anilla, 10);
  row.chip = fit(p.s2 != 0 ? trim(columnsFrom(p.text, p.s2 + 1, 10)) : "", 12);
  row.hora = fit(time, 8);
  row.dia = fit(day, 5);
  row.ca = h.ca;
  row.sexo = p.text.find('H') != std::string::npos ? "H" : "M";
  row.enc = fit(columns(p.text, 1, 4), 5);
  row.ollegada = fit(order, 3);
  return row;
}

}  // namespace

ContestListing parseContestList(const CaptureText& capture, ListKind asked) {
  ContestListing listing;
  if (capture.empty()) return listing;
  if (!titleNames(capture, asked)) {
    listing.status = ParseStatus::WrongList;
    return listing;
  }
  listing.status = ParseStatus::Parsed;
  const HeaderFields header = readHeader(capture, asked);
  listing.header = header.line(typeLetter(asked));
  listing.rows.reserve(capture.lineCount());
  int runningNumber = 1;
  for (std::size_t n = firstPigeonLine(asked); n < capture.lineCount(); ++n) {
    if (!hasPigeonDigit(capture.line(n))) continue;
    const PigeonLine pigeon = cutPigeonLine(capture.line(n), ';');
    if (asked == ListKind::Checking) {
      // A line with none of the list's separators (" 3 PALOMAS LLEGADAS") is no pigeon.
      if (pigeon.s1 == 0) {
        listing.skippedLines.push_back(n);
      } else {
        listing.rows.push_back(checkingRow(pigeon, header, runningNumber++));
      }
      continue;
    }
    ContestRow row;
    if (basketingRow(pigeon, header, row)) {
      listing.rows.push_back(std::move(row));
    } else {
      listing.skippedLines.push_back(n);
    }
  }
  return listing;
}

}  // namespace kvt
