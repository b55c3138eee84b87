#include "platform/open_dialog.h"

#include "platform/win32/form_window.h"

#include <windows.h>

#include <commdlg.h>

namespace platform {

std::optional<std::wstring> askFileToOpen(const OpenFileRequest& request) {
    // Filter pairs end in NUL each, the list in a second NUL.
    std::wstring filter = request.filterName + L'\0' + request.pattern + L'\0';
    std::wstring path(32768, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    // Modal to the window the user is working in, as a message box is.
    dialog.hwndOwner = GetActiveWindow();
    if (!dialog.hwndOwner) {
        dialog.hwndOwner = win32::FormWindow::frontmostEnabled();
    }
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = request.startFolder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    // comdlg32 is delay-loaded: it comes from the system folder, at this first call.
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt; // cancelled, or no dialog could be shown
    }
    path.resize(path.find(L'\0'));
    return path;
}

} // namespace platform
