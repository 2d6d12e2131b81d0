#include "contest_file.h"

#include "fixed_text.h"

namespace kvt {

std::string contestPigeonLine(const ContestRow& row, char typeLetter) {
  std::string line = "  ";
  line.reserve(64);
  const auto field = [&line](std::string_view value, std::size_t width, char after) {
    appendFit(line, value, width);
    line.push_back(after);
  };
  field(row.tag, 3, ',');
  field(row.pais, 2, ',');
  field(row.anilla, 10, ',');
  field(row.chip, 12, ',');
  field(row.hora, 8, ',');
  field(row.dia, 2, ',');
  field(row.ca, row.ca.size(), ',');  // as the row holds it, not cut or padded
  field(row.sexo, 1, ',');
  field(numberText(row.enc), 3, ';');
  appendFit(line, typeLetter == 'E' ? std::string("---") : numberText(row.ollegada), 3);
  return line;
}

WrittenFile GrabaConcurso(const ContestFileRequest& request) {
  if (request.header.size() < 3) return WrittenFile::failed(kIncompleteHeaderMessage);
  if (!isPlainName(request.contestCode)) {
    return WrittenFile::failed("El código de concurso \"" + request.contestCode +
                               "\" no puede usarse como nombre de carpeta.");
  }
  if (request.licence.empty() || request.licence.size() > 5 || !isPlainName(request.licence)) {
    return WrittenFile::failed("La licencia \"" + request.licence +
                               "\" no sirve para el nombre del archivo: debe tener de 1 a 5 "
                               "caracteres, sin barras ni dos puntos.");
  }
  const std::string name = request.header.substr(0, 1) + request.contestCode +
                           zeroFill(request.licence, 5) + request.header.substr(1, 2) + ".Txt";
  if (!isPlainName(name)) {
    return WrittenFile::failed(unusableNameMessage(name));
  }
  std::vector<std::string> lines;
  lines.reserve(request.rows.size());
  for (const auto& row : request.rows) lines.push_back(contestPigeonLine(row, request.header[0]));
  return writeListFile(documentsRoot(request.documentsRoot), request.contestCode, name,
                       request.header, lines, request.today);
}

}  // namespace kvt
