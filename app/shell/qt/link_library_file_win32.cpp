#include "link_library_file.h"

namespace kvt::link {

const char* libraryFileName() {
  return "quorlink.dll";
}

}  // namespace kvt::link
