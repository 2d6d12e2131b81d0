// The small window "QUOR KVT Build 46" that stands in for the host while a printout arrives and no
// update procedure is registered. It exists only on Windows; elsewhere there is nothing to show and
// these calls do nothing.
#pragma once

namespace quorlink {

void showStatusWindow();
void raiseStatusWindow();
void destroyStatusWindow();

}  // namespace quorlink
