#include "serial_devices.h"

namespace kvt {

// On Windows the COM ports are the system's own names; the options screen probes COM1..COM16.
DeviceFolders systemDeviceFolders() {
  return {};
}

std::vector<SerialDevice> serialDevices(const DeviceFolders&) {
  return {};
}

PortChoice choosePort(const SerialDevice&, const DeviceFolders&) {
  return {0, "Los puertos COM de Windows no se asignan aquí."};
}

std::string permissionAdvice(unsigned, const DeviceFolders&) {
  return {};
}

std::string portDescription(unsigned number, const DeviceFolders&) {
  return "COM" + std::to_string(number);
}

}  // namespace kvt
