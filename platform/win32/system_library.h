// A DLL loaded by name from the system folder only.
#pragma once

#include <windows.h>

namespace platform::win32 {

// fileName: "advapi32.dll". nullptr when it cannot be loaded (GetLastError says why).
HMODULE loadSystemLibrary(const wchar_t* fileName);

// A function of a loaded DLL as its own type; nullptr where the DLL lacks it (an
// older Windows) or there is no DLL.
template <class Function> Function functionOf(HMODULE module, const char* name) {
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

} // namespace platform::win32
