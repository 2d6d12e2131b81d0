#include <windows.h>

#include "device_error.h"

namespace quorlink {

void reportDeviceError(const char* message) {
  MessageBoxA(nullptr, message, "Device Error", MB_OK);
}

}  // namespace quorlink
