#include <windows.h>

#include "module_instance.h"
#include "status_window.h"

namespace quorlink {

namespace {

constexpr const char* kClassName = "QuorWndClass";
HWND window = nullptr;

}  // namespace

void showStatusWindow() {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = moduleInstance();
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(5));
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);

  // A sixth of the desktop's height wide and a sixth of its width high, centred on the foreground
  // window.
  HWND owner = GetForegroundWindow();
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  const int width = (desktop.bottom - desktop.top) / 6;
  const int height = (desktop.right - desktop.left) / 6;
  RECT ownerRect{};
  GetWindowRect(owner, &ownerRect);
  const int x = (ownerRect.left + ownerRect.right) / 2 - width / 2;
  const int y = (ownerRect.top + ownerRect.bottom) / 2 - height / 2;
  window = CreateWindowA(kClassName, "QUOR KVT Build 46", WS_DLGFRAME, x, y, width, height, owner,
                         nullptr, moduleInstance(), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

void raiseStatusWindow() {
  if (window != nullptr) SetForegroundWindow(window);
}

void destroyStatusWindow() {
  if (window != nullptr) DestroyWindow(window);
  window = nullptr;
  UnregisterClassA(kClassName, moduleInstance());
}

}  // namespace quorlink
