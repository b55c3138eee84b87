#include "tests/e2e/driver/dpi.h"

#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/remote_block.h"
#include "tests/e2e/driver/ui.h"

#include <windows.h>

namespace e2e {

void measureInPhysicalPixels() {
    // Bound by name: older systems lack it, and then there is no scaling to undo.
    using SetContext = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto setContext = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE
    if (setContext == nullptr || !setContext(reinterpret_cast<HANDLE>(-3))) {
        SetProcessDPIAware();
    }
}

void sendDpiChange(HWND window, int dpi, const RECT& suggested) {
    RemoteBlock rect(window, sizeof suggested);
    rect.write(&suggested, sizeof suggested);
    constexpr UINT dpiChanged = 0x02E0; // WM_DPICHANGED
    sendMessage(window, dpiChanged, MAKEWPARAM(dpi, dpi), rect.at());
}

int systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

LogPixelsOverride::LogPixelsOverride(int dpi)
    : RegistryValueOverride(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels",
                            {REG_DWORD, std::string(reinterpret_cast<const char*>(&dpi), 4)}) {}

} // namespace e2e
