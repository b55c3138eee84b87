// Showing a form modally: the thread's other windows take no input until it is
// gone, and the one active before it is active again afterwards.
#include "platform/win32/form_window.h"

#include "platform/win32/message_loop.h"

namespace platform::win32 {

void FormWindow::runModal() {
    activeBeforeModal_ = GetActiveWindow();
    EnumThreadWindows(GetCurrentThreadId(), collectEnabledWindow, reinterpret_cast<LPARAM>(this));
    modal_ = true;
    for (HWND window : disabledForModal_) {
        EnableWindow(window, FALSE);
    }

    // Whatever ends the loop, the other windows take input again.
    struct ModalEnd {
        FormWindow& form;
        ~ModalEnd() { form.endModal(); }
    } modalEnd{*this};

    show();
    const auto quitCode = runMessagesUntil([this] { return window_ == nullptr; });
    if (quitCode) {
        // The program is ending: the outer loop sees the quit message too.
        PostQuitMessage(*quitCode);
        form_.unload();
    }
}

BOOL CALLBACK FormWindow::collectEnabledWindow(HWND window, LPARAM self) {
    auto* form = reinterpret_cast<FormWindow*>(self);
    if (window != form->window_ && IsWindowEnabled(window)) {
        form->disabledForModal_.push_back(window);
    }
    return TRUE;
}

void FormWindow::endModal() {
    if (!modal_) {
        return;
    }
    modal_ = false;
    for (HWND window : disabledForModal_) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
    disabledForModal_.clear();
    if (activeBeforeModal_ && IsWindow(activeBeforeModal_) && IsWindowVisible(activeBeforeModal_)) {
        SetActiveWindow(activeBeforeModal_);
    }
    activeBeforeModal_ = nullptr;
}

} // namespace platform::win32
