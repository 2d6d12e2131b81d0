#include "link_library_file.h"

namespace kvt::link {

QStringList libraryLocations() {
  // Installed, the DLL goes to the program's folder as well.
  return {QStringLiteral("quorlink.dll")};
}

}  // namespace kvt::link
