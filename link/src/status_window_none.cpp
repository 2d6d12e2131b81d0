#include "status_window.h"

namespace quorlink {

void showStatusWindow() {}
void raiseStatusWindow() {}
void destroyStatusWindow() {}

}  // namespace quorlink
