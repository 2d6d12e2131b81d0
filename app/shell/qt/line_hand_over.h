// How a printed line crosses from the link library's reader thread to the program. The library
// calls NuevaLinea on its reader thread and clears its line as soon as the call returns, so the
// line must be fetched (getUpdateData) before then: NuevaLinea waits while the receiver, on the
// user-interface thread, takes the line in. No widget is touched from the reader thread.
//
// The wait ends early, and later lines are dropped, as soon as the program stops receiving: when
// the receiver goes, or before the program closes the capture or the link. Closing waits for the
// reader thread, which must then not be waiting for the user-interface thread.
#pragma once

#include <functional>

#include "quorlink.h"

class QObject;

namespace kvt::link {

// The update procedure registered with regUpdateProc.
void QUORLINK_CALL NuevaLinea(const char* line);

// From now on every line runs takeLine on receiver's thread while the reader waits; a line that
// arrives while there is no receiver is dropped. The receiver must stop receiving before it is
// destroyed.
void receiveLines(QObject* receiver, std::function<void()> takeLine);

// As stopReceivingLines, when receiver is the one that receives them; a receiver that goes calls
// this, so that it never ends the receiving of the one that came after it.
void stopReceivingLinesIn(const QObject* receiver);

// Lines are dropped from now on, and a reader waiting for a line to be taken goes on at once.
// Never waits itself.
void stopReceivingLines();

}  // namespace kvt::link
