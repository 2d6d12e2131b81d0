// The printer problems that print capture reports ("Device Error"): a message box on Windows,
// standard error elsewhere. Capture goes on either way.
#pragma once

namespace quorlink {

void reportDeviceError(const char* message);

}  // namespace quorlink
