// The printer dialog that the link library shows when a capture starts with the printer-choice
// setting "1": a printer, or printing to a PDF file.
#pragma once

#include <cstdint>

#include "quorlink.h"

namespace kvt {

// The library's printer chooser: writes the chosen destination into buffer; 0 when cancelled.
std::int32_t QUORLINK_CALL choosePrinter(char* buffer, std::uint32_t size);

}  // namespace kvt
