// The contest file: one member's basketing or checking list in one contest, as the club's
// programs read it. It holds the header line, one 57-character line per pigeon and a closing line
// with the date, in root/Quor/<contest code>/<letter><code><member><Ca>.Txt.
#pragma once

#include <string>
#include <vector>

#include "civil_date.h"
#include "listing.h"
#include "output_file.h"

namespace kvt {

struct ContestFileRequest {
  std::string header;  // the contest reading screen's header line; its first character is E or C
  std::vector<ContestRow> rows;
  std::string contestCode;    // as the reading screen holds it (upper-cased, not trimmed)
  std::string licence;        // as typed, one to five characters
  std::string documentsRoot;  // the configured documents folder, possibly empty
  CivilDate today;
};

WrittenFile GrabaConcurso(const ContestFileRequest& request);

// The line a row gives in the file; typeLetter is the header's first character.
std::string contestPigeonLine(const ContestRow& row, char typeLetter);

}  // namespace kvt
