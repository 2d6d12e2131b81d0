// The basketing and checking list parser: a captured printout and the list the user asked for
// become the contest reading screen's 111-character header line and its pigeon rows.
#pragma once

#include "capture_text.h"
#include "list_layout.h"
#include "listing.h"

namespace kvt {

// asked is ListKind::Basketing or ListKind::Checking. Checking rows are numbered from 1.
ContestListing parseContestList(const CaptureText& capture, ListKind asked);

}  // namespace kvt
