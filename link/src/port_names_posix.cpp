#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "port_names.h"

namespace quorlink {

std::string portsFolder() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    return std::string(config) + "/quorlink/ports";
  }
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config/quorlink/ports";
}

std::string portDevicePathIn(unsigned portNumber, const std::string& portsFolder,
                             const std::string& deviceFolder) {
  const std::string entry = portsFolder + "/COM" + std::to_string(portNumber);
  struct stat status {};
  if (::lstat(entry.c_str(), &status) == 0) return entry;
  // COM1 is the first serial device; a number 0 names no device.
  return portNumber == 0 ? entry : deviceFolder + "/ttyS" + std::to_string(portNumber - 1);
}

std::string portDevicePath(unsigned portNumber) {
  return portDevicePathIn(portNumber, portsFolder(), "/dev");
}

}  // namespace quorlink
