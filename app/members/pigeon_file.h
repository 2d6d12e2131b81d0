// The pigeon file: the archive of one fancier's clock, as the club's programs read it. It holds
// the header line, one 34-character line per pigeon and a closing line with the date, in
// root/Quor/Palomas/P<number>.Txt.
#pragma once

#include <string>
#include <vector>

#include "civil_date.h"
#include "listing.h"
#include "output_file.h"

namespace kvt {

struct PigeonFileRequest {
  std::string header;  // the pigeon extraction screen's header line, "P" and numero8 first
  std::vector<ArchiveRow> rows;
  std::string documentsRoot;  // the configured documents folder, possibly empty
  CivilDate today;
};

WrittenFile GrabaPalomas(const PigeonFileRequest& request);

// The line a row gives in the file.
std::string archivePigeonLine(const ArchiveRow& row);

// The file name a header gives: its first character, the number in its characters 3 to 10
// zero-filled to five digits, and ".Txt".
std::string pigeonFileName(const std::string& header);

}  // namespace kvt
