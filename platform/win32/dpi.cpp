#include "platform/win32/dpi.h"

#include "platform/win32/handles.h"

#include <windows.h>

namespace platform::win32 {

namespace {

int readSystemDpi() {
    // GetDpiForSystem exists from Windows 10 1607 on; bound by name so the program
    // still starts on older systems, which answer through the screen DC.
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        using GetDpiForSystemFunction = UINT(WINAPI*)();
        if (FARPROC found = GetProcAddress(user32, "GetDpiForSystem")) {
            const auto getDpiForSystem =
                reinterpret_cast<GetDpiForSystemFunction>(reinterpret_cast<void (*)()>(found));
            if (const UINT dpi = getDpiForSystem()) {
                return static_cast<int>(dpi);
            }
        }
    }
    ScreenDc screen;
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

int systemDpi() {
    static const int dpi = readSystemDpi();
    return dpi;
}

} // namespace platform::win32
