#include "pigeon_file.h"

#include "fixed_text.h"

namespace kvt {

std::string archivePigeonLine(const ArchiveRow& row) {
  std::string line = " ";
  line.reserve(40);
  appendFit(line, row.tag, 4);
  for (auto [value, width] : {std::pair<std::string_view, std::size_t>{row.pais, 2},
                              {row.anilla, 10},
                              {row.sexo, 1},
                              {row.chip, 12}}) {
    line.push_back(',');
    appendFit(line, value, width);
  }
  return line;
}

std::string pigeonFileName(const std::string& header) {
  // The first character of numero8 is not part of the number; the ";" after it ends the number.
  return header.substr(0, 1) + zeroFill(numberText(columns(header, 3, 10)), 5) + ".Txt";
}

WrittenFile GrabaPalomas(const PigeonFileRequest& request) {
  if (request.header.size() < 10) return WrittenFile::failed(kIncompleteHeaderMessage);
  const std::string name = pigeonFileName(request.header);
  if (!isPlainName(name)) {
    return WrittenFile::failed(unusableNameMessage(name));
  }
  std::vector<std::string> lines;
  lines.reserve(request.rows.size());
  for (const auto& row : request.rows) lines.push_back(archivePigeonLine(row));
  return writeListFile(documentsRoot(request.documentsRoot), "Palomas", name, request.header, lines,
                       request.today);
}

}  // namespace kvt
