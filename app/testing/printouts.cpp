#include "printouts.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "list_layout.h"

namespace kvt::testing {

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> printedLines(const std::string& name) {
  return CaptureText(fileBytes(std::string(QUORKVT_DEMO_DIR) + "/" + name + ".txt")).lines();
}

CaptureText headWith(const std::string& name, const std::vector<std::string>& lines) {
  std::vector<std::string> all = printedLines(name);
  all.resize(firstPigeonLine(name == "archive" ? ListKind::Archive : ListKind::Basketing));
  all.insert(all.end(), lines.begin(), lines.end());
  return CaptureText(std::move(all));
}

}  // namespace kvt::testing
