#include <string>

#include "port_names.h"

namespace quorlink {

// The device name is COM followed by the number, without a device-namespace prefix, as the clocks'
// programs have always opened it.
std::string portDevicePath(unsigned portNumber) {
  return "COM" + std::to_string(portNumber);
}

}  // namespace quorlink
