#include <fcntl.h>
#include <unistd.h>

#include "port_names.h"
#include "port_probe.h"

namespace kvt {

bool portOpens(unsigned number) {
  const int fd = ::open(quorlink::portDevicePath(number).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace kvt
