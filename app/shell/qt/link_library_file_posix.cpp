#include "link_library_file.h"

namespace kvt::link {

const char* libraryFileName() {
  return "libquorlink.so";
}

}  // namespace kvt::link
