// The DPI that windows, fonts and twips conversions use. The process is per-monitor
// aware: each window follows the DPI of its monitor, and desktop coordinates (window
// positions, the screen's size) stay in the system DPI. The newer per-monitor
// functions are bound by name, so the programs still run on Windows 7 and 8, where
// every window has the system DPI, and on 8.1, which only sends WM_DPICHANGED.
#pragma once

#include <windows.h>

#include <optional>

namespace platform::win32 {

// Dots per inch of the primary screen when the session started, read once.
int systemDpi();

// The DPI of the monitor the window is on; nothing where the system cannot tell
// (before Windows 10 1607), which then tells a window of a change only by
// WM_DPICHANGED.
std::optional<int> dpiOfWindow(HWND window);

// AdjustWindowRectEx with the frame metrics of the given DPI.
void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD extendedStyle, int dpi);

} // namespace platform::win32
