#include <cstdio>

#include "device_error.h"

namespace quorlink {

void reportDeviceError(const char* message) {
  std::fprintf(stderr, "Device Error: %s\n", message);
}

}  // namespace quorlink
