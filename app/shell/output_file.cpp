#include "output_file.h"

#include <system_error>

#include "error_text.h"
#include "fixed_text.h"

namespace kvt {

std::filesystem::path documentsRoot(std::string_view configured) {
  const std::string_view root = trim(configured);
  return root.empty() ? defaultDocumentsRoot() : std::filesystem::path(std::string(root));
}

bool isPlainName(std::string_view name) {
  if (name.find("..") != std::string_view::npos) return false;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == ':') return false;
  }
  return true;
}

std::string unusableNameMessage(const std::string& name) {
  return "La cabecera del listado no da un nombre de archivo válido: " + name;
}

std::optional<std::string> ensureFolder(const std::filesystem::path& folder) {
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return std::nullopt;
  if (std::filesystem::create_directory(folder, error) || std::filesystem::is_directory(folder)) {
    return std::nullopt;
  }
  if (!error) error = std::make_error_code(std::errc::not_a_directory);
  return "No se pudo crear la carpeta " + folder.string() + ": " + describeError(error) + ".";
}

WrittenFile writeListFile(const std::filesystem::path& root, const std::string& subfolder,
                          const std::string& name, const std::string& header,
                          const std::vector<std::string>& pigeonLines, const CivilDate& today) {
  const std::filesystem::path quor = root / "Quor";
  const std::filesystem::path folder = subfolder.empty() ? quor : quor / subfolder;
  for (const auto& level : {quor, folder}) {
    if (auto error = ensureFolder(level)) return WrittenFile::failed(std::move(*error));
  }
  // The file's whole content, every line ended by CR LF.
  std::string bytes;
  bytes.reserve(header.size() + 2 + pigeonLines.size() * 64 + 16);
  const auto line = [&bytes](std::string_view text) {
    bytes.append(text);
    bytes.append("\r\n");
  };
  line(header);
  for (const auto& pigeon : pigeonLines) line(pigeon);
  line("* " + shortDate(today));

  WrittenFile result;
  result.path = folder / name;
  if (auto error = replaceFileContent(result.path, bytes)) {
    return WrittenFile::failed(std::move(*error));
  }
  result.ok = true;
  result.pigeonLines = pigeonLines.size();
  return result;
}

}  // namespace kvt
