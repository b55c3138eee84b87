#include "tests/e2e/driver/dpi.h"

#include "tests/e2e/driver/check.h"

#include <windows.h>

namespace e2e {

namespace {

constexpr const wchar_t* desktopKey = L"Control Panel\\Desktop";
constexpr const wchar_t* logPixels = L"LogPixels";

void writeLogPixels(DWORD dpi) {
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CURRENT_USER, desktopKey, logPixels, REG_DWORD, &dpi, sizeof dpi);
    require(status == ERROR_SUCCESS,
            "could not set LogPixels in the registry (error " + std::to_string(status) + ")");
}

} // namespace

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

int systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

LogPixelsOverride::LogPixelsOverride(int dpi) {
    DWORD value = 0;
    DWORD size = sizeof value;
    hadValue_ = RegGetValueW(HKEY_CURRENT_USER, desktopKey, logPixels, RRF_RT_REG_DWORD, nullptr,
                             &value, &size) == ERROR_SUCCESS;
    previous_ = value;
    writeLogPixels(static_cast<DWORD>(dpi));
}

LogPixelsOverride::~LogPixelsOverride() {
    if (hadValue_) {
        RegSetKeyValueW(HKEY_CURRENT_USER, desktopKey, logPixels, REG_DWORD, &previous_,
                        sizeof previous_);
    } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, desktopKey, logPixels);
    }
}

} // namespace e2e
