#include "saved_capture.h"

#include <cerrno>
#include <fstream>
#include <sstream>

#include "error_text.h"
#include "fixed_text.h"
#include "output_file.h"

namespace kvt {

SavedCapture saveCapture(const CaptureText& capture, const std::filesystem::path& root,
                         std::string_view contestCode, std::string_view licence) {
  const std::string code(trim(contestCode));
  const std::string name = "IC" + std::string(trim(licence));
  SavedCapture saved;
  if ((!code.empty() && !isPlainName(code)) || !isPlainName(name)) {
    saved.error = unusableNameMessage(code.empty() || isPlainName(code) ? name : code);
    return saved;
  }
  const std::filesystem::path quor = root / "Quor";
  const std::filesystem::path folder = code.empty() ? quor : quor / code;
  for (const auto& needed : {quor, folder}) {
    if (auto failure = ensureFolder(needed)) {
      saved.error = *failure;
      return saved;
    }
  }
  saved.path = folder / name;
  if (capture.empty()) return saved;
  if (auto failure = replaceFileContent(saved.path, capture.joined() + "\r\n")) {
    saved.error = *failure;
  }
  return saved;
}

std::optional<CaptureText> loadCapture(const std::filesystem::path& file, std::string& error) {
  std::error_code status;
  if (!std::filesystem::is_regular_file(file, status)) {
    error = "No se puede abrir el archivo " + file.string() + ": " +
            (status ? describeError(status) : std::string("no es un archivo")) + ".";
    return std::nullopt;
  }
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  if (!in || in.bad()) {
    error = "No se puede leer el archivo " + file.string() + ": " +
            describeError(std::error_code(errno, std::generic_category())) + ".";
    return std::nullopt;
  }
  if (bytes.str().empty()) {
    error = "El archivo " + file.string() + " está vacío; no se ha cargado nada.";
    return std::nullopt;
  }
  return CaptureText(bytes.str());
}

}  // namespace kvt
