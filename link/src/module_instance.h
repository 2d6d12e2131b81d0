// The library's own module handle, recorded by the Windows entry point (dllmain_win32.cpp).
#pragma once

#include <windows.h>

namespace quorlink {

HINSTANCE moduleInstance();

}  // namespace quorlink
