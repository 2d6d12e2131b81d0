#include <windows.h>

#include <string>

#include "port_names.h"
#include "port_probe.h"

namespace kvt {

bool portOpens(unsigned number) {
  // Without access rights and shared: only whether the device is there and opens.
  const std::string device = "\\\\.\\" + quorlink::portDevicePath(number);
  const HANDLE port = CreateFileA(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) return false;
  CloseHandle(port);
  return true;
}

}  // namespace kvt
