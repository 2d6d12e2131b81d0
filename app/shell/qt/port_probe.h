// Which COM ports can be opened on this computer, for the port choice of the options screen. The
// port numbers map to devices exactly as the link library maps them.
#pragma once

#include <QStringList>

namespace kvt {

// The numbers 1 to 16, as text, of the ports that open (each is closed again at once).
QStringList openablePorts();

// Whether the device of COM<number> can be opened now.
bool portOpens(unsigned number);

}  // namespace kvt
