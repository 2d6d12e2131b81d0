// What the list parsers give a reading screen: its header line and one row per pigeon, every value
// already at the width the screen's list and the output files expect.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kvt {

// A row of a basketing or checking list: the ten columns of the contest reading screen's list,
// and the row's tag.
struct ContestRow {
  std::string number;  // "Nº", the row's text
  std::string tag;
  std::string pais;
  std::string anilla;
  std::string chip;
  std::string hora;
  std::string dia;
  std::string ca;
  std::string sexo;
  std::string enc;
  std::string ollegada;
};

// A row of an archive list: the six columns of the pigeon extraction screen's list, and its tag.
struct ArchiveRow {
  std::string number;  // "Nº", the row's text
  std::string tag;
  std::string pais;
  std::string anilla;
  std::string sexo;
  std::string chip;
  std::string comentario;
};

enum class ParseStatus {
  Parsed,
  EmptyCapture,  // nothing to parse: the screen is left as it is
  WrongList,     // the title names another list: "El Tipo de Listado es Incorrecto"
};

template <typename Row>
struct Listing {
  ParseStatus status = ParseStatus::EmptyCapture;
  std::string header;
  std::vector<Row> rows;
  // Lines (counted from 0) that look like pigeon lines but cannot be cut; they give no row, and the
  // caller tells the user, so that no pigeon disappears unseen.
  std::vector<std::size_t> skippedLines;
};

using ContestListing = Listing<ContestRow>;
using ArchiveListing = Listing<ArchiveRow>;

}  // namespace kvt
