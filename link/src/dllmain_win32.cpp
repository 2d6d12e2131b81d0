#include <windows.h>

#include "module_instance.h"

namespace quorlink {

namespace {

HINSTANCE recordedInstance = nullptr;

}  // namespace

HINSTANCE moduleInstance() {
  return recordedInstance;
}

}  // namespace quorlink

// Every notification records the module handle and reports success; nothing else happens at load
// or unload: no thread starts and no port opens until the host asks.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  quorlink::recordedInstance = instance;
  return TRUE;
}
