#include "platform/win32/dpi.h"

#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"

namespace platform::win32 {

namespace {

// A function of user32 that older systems lack; nullptr there.
template <class Function> Function user32Function(const char* name) {
    return functionOf<Function>(GetModuleHandleW(L"user32.dll"), name);
}

int readSystemDpi() {
    // GetDpiForSystem exists from Windows 10 1607 on; older systems answer through
    // the screen DC.
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = user32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem) {
        if (const UINT dpi = getDpiForSystem()) {
            return static_cast<int>(dpi);
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

std::optional<int> dpiOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return static_cast<int>(dpi);
        }
    }
    return std::nullopt;
}

void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD extendedStyle, int dpi) {
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    if (!adjustForDpi ||
        !adjustForDpi(&rect, style, FALSE, extendedStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
    }
}

} // namespace platform::win32
