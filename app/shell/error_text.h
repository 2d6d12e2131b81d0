// The reason of a failed file operation, in words a club official reads (Spanish, as the program
// speaks). The system's own messages depend on the locale and are often English.
#pragma once

#include <string>
#include <system_error>

namespace kvt {

std::string describeError(const std::error_code& error);

}  // namespace kvt
