#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "error_text.h"
#include "output_file.h"

namespace kvt {

namespace {

std::string failure(const std::filesystem::path& file, int error) {
  return "No se pudo grabar el archivo " + file.string() + ": " +
         describeError(std::error_code(error, std::generic_category())) + ".";
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::filesystem::path defaultDocumentsRoot() {
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? std::filesystem::path(home)
                                          : std::filesystem::path("/");
}

std::filesystem::path savedCaptureRoot(std::string_view configured) {
  return documentsRoot(configured);
}

bool folderNamesIgnoreCase() {
  return false;
}

std::optional<std::string> replaceFileContent(const std::filesystem::path& file,
                                              const std::string& bytes) {
  static std::atomic<unsigned> serial{0};
  const std::filesystem::path temporary =
      file.parent_path() / ("." + file.filename().string() + ".tmp" + std::to_string(::getpid()) +
                            "-" + std::to_string(serial++));
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return failure(file, errno);
  int error = 0;
  if (!writeAll(fd, bytes) || ::fsync(fd) != 0) error = errno != 0 ? errno : EIO;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), file.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return failure(file, error);
  }
  // The rename is durable only once the folder itself reaches the disk.
  const int folder = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return std::nullopt;
}

}  // namespace kvt
