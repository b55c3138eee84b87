// A form's commands beyond its controls: items of the window's system menu, also
// run by Ctrl and a letter, and files dropped on the window.
#include "platform/win32/form_window.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace platform::win32 {

namespace {

// System command ids: below 0xF000, the low four bits free for the system.
constexpr WPARAM firstCommandId = 0x0100;
constexpr WPARAM commandIdStep = 0x10;

} // namespace

void FormWindow::addFormCommands() {
    if (!form_.commands.empty()) {
        HMENU menu = GetSystemMenu(window_, FALSE);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        for (std::size_t index = 0; index < form_.commands.size(); ++index) {
            AppendMenuW(menu, MF_STRING, firstCommandId + index * commandIdStep,
                        form_.commands[index].menuCaption.c_str());
        }
    }
    if (form_.onFilesDropped) {
        // What DragAcceptFiles does, without loading shell32 at every start: it is
        // delay-loaded, from the system folder, at the first drop.
        SetWindowLongPtrW(window_, GWL_EXSTYLE,
                          GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
        // A program run elevated takes drops from the lower integrity shell only so.
        for (const UINT message : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, UINT{0x0049}}) {
            ChangeWindowMessageFilterEx(window_, message, MSGFLT_ALLOW, nullptr);
        }
    }
}

bool FormWindow::runSystemMenuCommand(WPARAM id) {
    id &= 0xFFF0;
    if (id < firstCommandId || !IsWindowEnabled(window_)) {
        return false;
    }
    const std::size_t index = (id - firstCommandId) / commandIdStep;
    if (index >= form_.commands.size()) {
        return false;
    }
    // The handler may unload the form: copy what it runs.
    const auto run = form_.commands[index].run;
    run();
    return true;
}

bool FormWindow::runControlLetter(WPARAM virtualKey) {
    for (const auto& command : form_.commands) {
        if (static_cast<WPARAM>(command.controlLetter) == virtualKey) {
            const auto run = command.run;
            run();
            return true;
        }
    }
    return false;
}

void FormWindow::onDropFiles(WPARAM dropHandle) {
    const auto drop = reinterpret_cast<HDROP>(dropHandle);
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        const UINT length = DragQueryFileW(drop, index, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(DragQueryFileW(drop, index, path.data(), length + 1));
        paths.push_back(std::move(path));
    }
    DragFinish(drop);
    // While a modal window is up the form takes no input.
    if (!paths.empty() && IsWindowEnabled(window_) && form_.onFilesDropped) {
        const auto dropped = form_.onFilesDropped;
        dropped(paths);
    }
}

} // namespace platform::win32
