#include "platform/message_box.h"

#include "platform/win32/form_window.h"

#include <windows.h>

namespace platform {

int messageBox(const std::wstring& text, int style, const std::wstring& title) {
    // Owned by the window the user is working in, so the box is modal to it; when
    // no window of ours is active (the program is in the background), by the one
    // that would be.
    HWND owner = GetActiveWindow();
    if (!owner) {
        owner = win32::FormWindow::frontmostEnabled();
    }
    // The style values are the MB_ flags; 0 (no box could be shown) is no button.
    return MessageBoxW(owner, text.c_str(), title.c_str(), static_cast<UINT>(style));
}

} // namespace platform
