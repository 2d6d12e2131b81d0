// The archive list parser: a captured archive printout becomes the pigeon extraction screen's
// 48-character header line and its pigeon rows.
#pragma once

#include "capture_text.h"
#include "listing.h"

namespace kvt {

ArchiveListing parseArchiveList(const CaptureText& capture);

}  // namespace kvt
