// Where the clock link library is looked for on this platform, relative to the program's folder,
// in order: beside the program (a portable folder, or the build's bin folder), then where the
// installation puts it.
#pragma once

#include <QStringList>

namespace kvt::link {

QStringList libraryLocations();

}  // namespace kvt::link
