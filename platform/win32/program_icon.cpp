#include "platform/win32/program_icon.h"

namespace platform::win32 {

IconHandle loadProgramIcon(int size) {
    constexpr int programIconId = 1;
    return IconHandle(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(programIconId),
                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

} // namespace platform::win32
