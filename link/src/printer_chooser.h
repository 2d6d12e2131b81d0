// The host's printer chooser: when capture is asked to let the user choose the printer, the
// library asks the procedure that the host registered with regPrinterChooser.
#pragma once

#include <optional>
#include <string>

#include "quorlink.h"

namespace quorlink {

void setPrinterChooser(QuorPrinterChooser chooser);

// What the user chose: a destination name; nullopt when the user cancelled; an empty text when no
// chooser is registered (the default destination then serves).
std::optional<std::string> askHostForPrinter();

}  // namespace quorlink
