#include "archive_list_parser.h"

#include "fixed_text.h"
#include "list_layout.h"
#include "pigeon_line.h"

namespace kvt {

namespace {

// The sex is the first "H" of the line, or when there is none its first "M"; the ring's serial
// runs up to the character before it. A line without either letter, or whose letter stands before
// the ring's second "-", gives no row.
bool archiveRow(const PigeonLine& p, ArchiveRow& row) {
  std::size_t sex = findFrom(p.text, 'H');
  if (sex == 0) sex = findFrom(p.text, 'M');
  if (p.s2 == 0 || p.h2 == 0 || !p.hasCountry() || sex <= p.h2) return false;
  row.number = fit(columns(p.text, 1, 4), 5);
  row.tag = row.number;
  row.pais = fit(p.country(), 2);
  row.anilla =
      fit(std::string(p.middle()) + "-" + std::string(columns(p.text, p.h2 + 1, sex - 1)), 10);
  row.sexo = fit(columns(p.text, sex, sex), 1);
  row.chip = fit(trim(columnsFrom(p.text, p.s2 + 1, 10)), 12);
  row.comentario = "  ";
  return true;
}

}  // namespace

ArchiveListing parseArchiveList(const CaptureText& capture) {
  ArchiveListing listing;
  if (capture.empty()) return listing;
  if (!titleNames(capture, ListKind::Archive)) {
    listing.status = ParseStatus::WrongList;
    return listing;
  }
  listing.status = ParseStatus::Parsed;
  const std::string_view line5 = capture.line(5);
  const std::string_view line6 = capture.line(6);
  listing.header = "P" + fit(columns(line5, 18, 25), 8) + ";" + fit(columns(line5, 59, 78), 16) +
                   ";" + identField(line6, 18, 27) + ";" + identField(line6, 59, 68);
  listing.rows.reserve(capture.lineCount());
  for (std::size_t n = firstPigeonLine(ListKind::Archive); n < capture.lineCount(); ++n) {
    if (!hasPigeonDigit(capture.line(n))) continue;
    ArchiveRow row;
    if (archiveRow(cutPigeonLine(capture.line(n), ','), row)) {
      listing.rows.push_back(std::move(row));
    } else {
      listing.skippedLines.push_back(n);
    }
  }
  return listing;
}

}  // namespace kvt
