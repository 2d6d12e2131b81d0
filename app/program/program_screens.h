// The screens the main window offers, from the subsystems that make them.
#pragma once

namespace kvt {

class frmMain;

void offerScreens(frmMain& main);

}  // namespace kvt
