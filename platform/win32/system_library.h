// A DLL loaded by name from the system folder only.
#pragma once

#include <windows.h>

namespace platform::win32 {

// fileName: "advapi32.dll". nullptr when it cannot be loaded (GetLastError says why).
HMODULE loadSystemLibrary(const wchar_t* fileName);

} // namespace platform::win32
