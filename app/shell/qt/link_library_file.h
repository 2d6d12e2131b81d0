// The file name of the clock link library on this platform.
#pragma once

namespace kvt::link {

const char* libraryFileName();

}  // namespace kvt::link
