#include "platform/win32/message_loop.h"

#include "platform/form.h"
#include "platform/win32/form_window.h"

#include <windows.h>

#include <stdexcept>

namespace platform::win32 {

namespace {

std::exception_ptr& pendingException() {
    static std::exception_ptr exception;
    return exception;
}

bool keyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

BOOL CALLBACK cancelMode(HWND window, LPARAM) {
    SendMessageW(window, WM_CANCELMODE, 0, 0);
    return TRUE;
}

// Keys with a meaning for the whole form. Tab and Esc are taken here, before any
// control sees them: a multi-line edit would insert the tab, and under the dialog
// manager it closes its parent on Esc.
bool handleFormKeys(MSG& message) {
    if (!message.hwnd) {
        return false;
    }
    FormWindow* form = FormWindow::of(GetAncestor(message.hwnd, GA_ROOT));
    if (!form) {
        return false;
    }
    if (message.message == WM_KEYDOWN && !keyDown(VK_CONTROL) && !keyDown(VK_MENU)) {
        if (message.wParam == VK_TAB) {
            form->moveFocus(keyDown(VK_SHIFT));
            return true;
        }
        if (message.wParam == VK_ESCAPE) {
            // A tip over a control goes too, wherever the focus is.
            EnumChildWindows(form->handle(), cancelMode, 0);
            form->pressCancel();
            return true;
        }
    }
    if (message.message == WM_KEYDOWN && keyDown(VK_CONTROL) && !keyDown(VK_MENU) &&
        !keyDown(VK_SHIFT) && form->runControlLetter(message.wParam)) {
        return true;
    }
    // Enter, arrow keys within an option group and access keys.
    return IsDialogMessageW(form->handle(), &message) != FALSE;
}

} // namespace

void keepHandlerException(std::exception_ptr exception) {
    if (!pendingException()) {
        pendingException() = std::move(exception);
    }
}

void rethrowHandlerException() {
    if (auto exception = std::exchange(pendingException(), nullptr)) {
        std::rethrow_exception(exception);
    }
}

std::optional<int> runMessagesUntil(const std::function<bool()>& done) {
    MSG message{};
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) {
            throw std::runtime_error("GetMessage failed");
        }
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (!handleFormKeys(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        rethrowHandlerException();
    }
    return std::nullopt;
}

} // namespace platform::win32

namespace platform {

int runApplication(Form& startForm) {
    startForm.show();
    win32::rethrowHandlerException();
    const auto quitCode = win32::runMessagesUntil([&] { return !startForm.loaded(); });
    if (quitCode) {
        startForm.unload();
        return *quitCode;
    }
    return 0;
}

} // namespace platform
