// The desktop program put together: the main window with the screens of every subsystem.
#pragma once

#include <QString>
#include <functional>

namespace kvt {

class frmMain;

// Offers the registers and the reading screens in the main window's menu and toolbar.
void offerScreens(frmMain& main);

// The program's run, on the application the caller made: the start from programFolder, the main
// window with its screens, and the event loop until the user leaves. whenShown, when given, runs
// on the first turn of the loop after the window shows. A start that fails is told to the user,
// and the result is then 1.
int runQuorKVT(const QString& programFolder, const std::function<void(frmMain&)>& whenShown = {});

}  // namespace kvt
