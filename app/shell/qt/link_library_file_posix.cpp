#include "link_library_file.h"

namespace kvt::link {

QStringList libraryLocations() {
  // The installed location is the library folder seen from the program folder (as
  // ../lib/x86_64-linux-gnu), so that a prefix that is moved as a whole still finds it.
  return {QStringLiteral("libquorlink.so"), QStringLiteral(QUORLINK_INSTALLED_LIBRARY)};
}

}  // namespace kvt::link
