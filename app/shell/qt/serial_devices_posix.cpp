#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "port_names.h"
#include "serial_devices.h"

namespace kvt {

namespace fs = std::filesystem;

namespace {

constexpr unsigned kHighestPort = 16;

enum class Access { Opens, Refused, Absent };

// Opened as the link opens a port (without waiting for a carrier), and closed again at once.
Access accessOf(const fs::path& device) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);
    return Access::Opens;
  }
  return errno == EACCES || errno == EPERM ? Access::Refused : Access::Absent;
}

// Where a link points, one step, as a path of its own (a by-id link points to ../../ttyUSB0).
fs::path linkTarget(const fs::path& link) {
  std::error_code error;
  const fs::path target = fs::read_symlink(link, error);
  if (error) return link;
  return target.is_absolute() ? target : (link.parent_path() / target).lexically_normal();
}

// The same file once all links are followed.
bool sameDevice(const fs::path& a, const fs::path& b) {
  struct stat first {}, second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::vector<fs::path> entriesOf(const fs::path& folder) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    entries.push_back(it->path());
  }
  return entries;
}

struct Node {
  int kind;  // 0 ttyUSB, 1 ttyACM, 2 ttyS: the order they are listed in
  unsigned number;
  fs::path path;
};

std::optional<Node> nodeOf(const fs::path& path) {
  static const char* const kPrefixes[] = {"ttyUSB", "ttyACM", "ttyS"};
  const std::string name = path.filename().string();
  for (int kind = 0; kind < 3; ++kind) {
    const std::string prefix = kPrefixes[kind];
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(),
                                          [](char c) { return c >= '0' && c <= '9'; })) {
      return std::nullopt;
    }
    return Node{kind, static_cast<unsigned>(std::stoul(digits)), path};
  }
  return std::nullopt;
}

fs::path portPath(unsigned number, const DeviceFolders& folders) {
  return quorlink::portDevicePathIn(number, folders.ports.string(), folders.devices.string());
}

// The device of a port as the user knows it: the name its entry links to, and the device that
// name stands for when it is another.
std::string deviceOfPort(unsigned number, const DeviceFolders& folders) {
  const fs::path port = portPath(number, folders);
  const fs::path name = linkTarget(port);
  if (name == port) return port.string();
  std::error_code error;
  const fs::path device = fs::canonical(port, error);
  return error || device == name ? name.string() : name.string() + " (" + device.string() + ")";
}

}  // namespace

DeviceFolders systemDeviceFolders() {
  return {"/dev/serial/by-id", "/dev", quorlink::portsFolder()};
}

std::vector<SerialDevice> serialDevices(const DeviceFolders& folders) {
  std::vector<SerialDevice> listed;
  std::vector<fs::path> links = entriesOf(folders.byId);
  std::sort(links.begin(), links.end());
  for (const fs::path& link : links) {
    const Access access = accessOf(link);
    if (access == Access::Absent) continue;
    listed.push_back({link.string(), linkTarget(link).string(), access == Access::Refused, {}});
  }

  std::vector<Node> nodes;
  for (const fs::path& path : entriesOf(folders.devices)) {
    if (auto node = nodeOf(path)) nodes.push_back(*node);
  }
  std::sort(nodes.begin(), nodes.end(), [](const Node& a, const Node& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
  });
  const std::size_t byIdCount = listed.size();
  for (const Node& node : nodes) {
    const bool named =
        std::any_of(listed.begin(), listed.begin() + byIdCount,
                    [&](const SerialDevice& d) { return sameDevice(d.name, node.path); });
    if (named) continue;
    const Access access = accessOf(node.path);
    // A ttyS device is there for every serial port the system could have; only one that opens is
    // a port of this computer. A USB device is there only while it is plugged in.
    if (access == Access::Opens || (access == Access::Refused && node.kind != 2)) {
      listed.push_back({node.path.string(), node.path.string(), access == Access::Refused, {}});
    }
  }

  for (SerialDevice& device : listed) {
    for (unsigned number = 1; number <= kHighestPort && !device.com; ++number) {
      if (sameDevice(portPath(number, folders), device.name)) device.com = number;
    }
  }
  return listed;
}

PortChoice choosePort(const SerialDevice& device, const DeviceFolders& folders) {
  if (device.com) return {*device.com, {}};
  for (unsigned number = 1; number <= kHighestPort; ++number) {
    const fs::path entry = folders.ports / ("COM" + std::to_string(number));
    std::error_code error;
    if (fs::symlink_status(entry, error).type() != fs::file_type::not_found) continue;
    if (accessOf(folders.devices / ("ttyS" + std::to_string(number - 1))) == Access::Opens) {
      continue;
    }
    fs::create_directories(folders.ports, error);
    if (!error) fs::create_symlink(device.name, entry, error);
    if (error) {
      return {0, "No se puede crear la entrada " + entry.string() + " del puerto COM" +
                     std::to_string(number) + ": " + error.message()};
    }
    return {number, {}};
  }
  return {0, "Los puertos COM1 a COM" + std::to_string(kHighestPort) +
                 " ya están asignados; borre alguna entrada de " + folders.ports.string() +
                 " para asignar este dispositivo."};
}

std::string permissionAdvice(unsigned number, const DeviceFolders& folders) {
  const fs::path port = portPath(number, folders);
  if (number == 0 || accessOf(port) != Access::Refused) return {};
  // The device's own group when it lets its group in (on Debian, dialout).
  std::string groupName = "dialout";
  struct stat status {};
  if (::stat(port.c_str(), &status) == 0 && status.st_gid != 0 &&
      (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP)) {
    if (const group* entry = ::getgrgid(status.st_gid)) groupName = entry->gr_name;
  }
  const passwd* user = ::getpwuid(::geteuid());
  const std::string name = user != nullptr ? user->pw_name : "$USER";
  return "El puerto COM" + std::to_string(number) + " es el dispositivo " +
         deviceOfPort(number, folders) + ", y este usuario (" + name +
         ") no tiene permiso para abrirlo.\n"
         "Para leer el reloj, el usuario debe pertenecer al grupo " + groupName +
         ". Para añadirlo, ejecute en una terminal:\n\n"
         "    sudo adduser " + name + " " + groupName + "\n\n"
         "y después cierre la sesión y vuelva a entrar.";
}

std::string portDescription(unsigned number, const DeviceFolders& folders) {
  return "COM" + std::to_string(number) + ": " + deviceOfPort(number, folders);
}

}  // namespace kvt
