// Display resolution for the end-to-end tests.
#pragma once

#include "tests/e2e/driver/registry_value.h"

#include <windows.h>

namespace e2e {

// Makes this process per-monitor DPI aware, so that Wine reports the rectangles of
// another process's windows in real pixels, whatever DPI each process started with.
void measureInPhysicalPixels();

// Sends the window WM_DPICHANGED as the system does when it moves to a monitor of
// that DPI, with the suggested rectangle in the program's memory.
void sendDpiChange(HWND window, int dpi, const RECT& suggested);

// The DPI this process started with.
int systemDpi();

// Sets the DPI of the prefix (HKCU\Control Panel\Desktop LogPixels) for the
// programs started from now on; puts the earlier value back when it ends.
class LogPixelsOverride : public RegistryValueOverride {
public:
    explicit LogPixelsOverride(int dpi);
};

} // namespace e2e
