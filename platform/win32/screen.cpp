#include "platform/screen.h"

#include "platform/twips.h"
#include "platform/win32/dpi.h"

#include <windows.h>

namespace platform {

TwipsSize screenSize() {
    const int dpi = win32::systemDpi();
    return TwipsSize{pixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
                     pixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

} // namespace platform
