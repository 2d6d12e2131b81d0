// Where the club's output files go and how they are written: under the documents root, in folders
// that are created on demand, written whole or not at all.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "civil_date.h"

namespace kvt {

// The outcome of writing an output file.
struct WrittenFile {
  bool ok = false;
  std::filesystem::path path;   // the file written, when ok
  std::size_t pigeonLines = 0;  // lines written between the header and the closing line
  std::string error;            // what failed, for the user, when not ok

  static WrittenFile failed(std::string error) {
    WrittenFile result;
    result.error = std::move(error);
    return result;
  }
};

// The folder that "C:\" stands for when no documents folder is configured: C:\ on Windows, the
// user's home folder elsewhere.
std::filesystem::path defaultDocumentsRoot();

// The configured documents folder with its blanks trimmed, or the default one when it is empty.
std::filesystem::path documentsRoot(std::string_view configured);

// Where "Crear Impreso" keeps saved captures: C:\ on Windows; elsewhere the configured documents
// folder (as documentsRoot), beside the club's other files.
std::filesystem::path savedCaptureRoot(std::string_view configured);

// Whether the file system takes folder names in any letter case (Windows), so that the documents
// folder may be stored upper-cased; elsewhere it is stored as typed.
bool folderNamesIgnoreCase();

// A name that can stand as one folder or file name below the documents root: no path separator,
// no drive colon, no "..", no control character.
bool isPlainName(std::string_view name);

// Creates folder when it is missing (its parent must exist). Gives the user's message on failure.
std::optional<std::string> ensureFolder(const std::filesystem::path& folder);

inline constexpr const char* kIncompleteHeaderMessage =
    "La cabecera del listado está incompleta; vuelva a leer el reloj.";

// The message for a file name taken from a header that cannot stand as a name (see isPlainName).
std::string unusableNameMessage(const std::string& name);

// Writes a list file: the header line, the pigeon lines and the closing line "* DD/MM/YY", as
// root/Quor/<subfolder>/<name> (directly in root/Quor when subfolder is empty). Only the folders
// Quor and subfolder are created; the root must exist.
WrittenFile writeListFile(const std::filesystem::path& root, const std::string& subfolder,
                          const std::string& name, const std::string& header,
                          const std::vector<std::string>& pigeonLines, const CivilDate& today);

// Writes bytes as the file's whole new content. They reach the disk under a temporary name beside
// the file, which is then renamed into place, so a failure never leaves half a file and never
// destroys the previous one. Gives the user's message on failure.
std::optional<std::string> replaceFileContent(const std::filesystem::path& file,
                                              const std::string& bytes);

}  // namespace kvt
