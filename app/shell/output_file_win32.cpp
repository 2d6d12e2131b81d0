#include <windows.h>

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "error_text.h"
#include "output_file.h"

namespace kvt {

namespace {

std::string failure(const std::filesystem::path& file, DWORD error) {
  return "No se pudo grabar el archivo " + file.string() + ": " +
         describeError(std::error_code(static_cast<int>(error), std::system_category())) + ".";
}

}  // namespace

std::filesystem::path defaultDocumentsRoot() {
  return std::filesystem::path("C:\\");
}

std::filesystem::path savedCaptureRoot(std::string_view) {
  return defaultDocumentsRoot();
}

bool folderNamesIgnoreCase() {
  return true;
}

std::optional<std::string> replaceFileContent(const std::filesystem::path& file,
                                              const std::string& bytes) {
  static std::atomic<unsigned> serial{0};
  const std::filesystem::path temporary =
      file.parent_path() / (file.filename().string() + ".tmp" +
                            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++));
  HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return failure(file, GetLastError());
  DWORD error = 0;
  DWORD written = 0;
  if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size() || !FlushFileBuffers(handle)) {
    error = GetLastError();
  }
  CloseHandle(handle);
  if (error == 0 && !MoveFileExW(temporary.c_str(), file.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != 0) {
    DeleteFileW(temporary.c_str());
    return failure(file, error);
  }
  return std::nullopt;
}

}  // namespace kvt
