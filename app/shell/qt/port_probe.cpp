#include "port_probe.h"

namespace kvt {

QStringList openablePorts() {
  QStringList ports;
  for (unsigned number = 1; number <= 16; ++number) {
    if (portOpens(number)) ports << QString::number(number);
  }
  return ports;
}

}  // namespace kvt
