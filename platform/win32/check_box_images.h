// The two state images of a check list, an empty and a checked box, drawn for a
// DPI: the list view's own are made once, at the DPI the program started with.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace platform::win32 {

// Images 0 (empty) and 1 (checked), each `pixels` square, in the look of the
// window's theme where there is one; nullptr when they cannot be made.
HIMAGELIST makeCheckBoxImages(HWND window, int pixels, int dpi);

} // namespace platform::win32
