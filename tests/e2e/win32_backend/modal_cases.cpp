// Modal windows and message boxes: nested loops, disabled owners, the quit
// message and exceptions raised by handlers.
#include "tests/e2e/win32_backend/backend_forms.h"

#include "platform/message_box.h"
#include "platform/win32/message_loop.h"
#include "tests/e2e/driver/check.h"

#include <stdexcept>

namespace {

using namespace backend_e2e;
using namespace e2e;

struct BoxSeen {
    HWND owner = nullptr;
    bool answered = false;
};
BoxSeen boxSeen;

// Runs inside the message box's own loop: answers No.
void CALLBACK answerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowW(L"#32770", L"Backend question");
    if (!box || GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId()) {
        return;
    }
    KillTimer(nullptr, timer);
    boxSeen.owner = GetWindow(box, GW_OWNER);
    boxSeen.answered = true;
    PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
}

E2E_CASE(modal, modal_window) {
    platform::Form main(sampleSpec());
    platform::Form dialog(dialogSpec());
    main.show();
    pumpMessages();
    const HWND mainWindow = formWindowOf(main);
    SetFocus(windowOf(main.control(L"Text2")));

    int loads = 0;
    bool mainDisabled = false;
    bool dialogActive = false;
    HWND dialogWindow = nullptr;
    int answer = 0;
    dialog.onLoad = [&] {
        ++loads;
        // Esc, once the modal loop runs: presses the cancel button.
        PostMessageW(formWindowOf(dialog), WM_KEYDOWN, VK_ESCAPE, 1);
    };
    dialog.commandButton(L"cmdClose").onClick = [&] {
        mainDisabled = !IsWindowEnabled(mainWindow);
        dialogWindow = formWindowOf(dialog);
        dialogActive = GetActiveWindow() == dialogWindow;
        boxSeen = {};
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, answerBox);
        answer = platform::messageBox(L"Close?", 36, L"Backend question");
        KillTimer(nullptr, timer);
        dialog.unload();
    };

    dialog.showModal();
    checkEqual(loads, 1, "the dialog was loaded");
    check(mainDisabled, "the main window takes no input meanwhile");
    check(dialogActive, "the dialog is the active window");
    check(boxSeen.answered, "the message box came up");
    check(boxSeen.owner != nullptr && boxSeen.owner == dialogWindow,
          "the box is owned by the active window, the dialog");
    checkEqual(answer, 7, "messageBox returns the button pressed (No)");
    check(!dialog.loaded(), "the dialog is unloaded");
    check(IsWindowEnabled(mainWindow), "the main window takes input again");
    check(GetActiveWindow() == mainWindow, "and is active again");
    check(GetFocus() == windowOf(main.control(L"Text2")), "with its focus where it was");

    dialog.showModal();
    checkEqual(loads, 2, "shown modally again: loaded afresh");
    check(!dialog.loaded() && IsWindowEnabled(mainWindow), "and closed again");
    main.unload();
}

E2E_CASE(modal, quit_inside_modal_loop) {
    platform::Form main(sampleSpec());
    platform::Form dialog(dialogSpec());
    main.show();
    dialog.onLoad = [] { PostQuitMessage(3); };
    dialog.showModal();
    check(!dialog.loaded(), "a quit message ends the modal window");
    check(IsWindowEnabled(formWindowOf(main)), "the main window is enabled again");
    const auto code = platform::win32::runMessagesUntil([] { return false; });
    check(code && *code == 3, "the quit message reaches the outer loop");
    main.unload();
}

E2E_CASE(modal, handler_exception) {
    platform::Form form(sampleSpec());
    form.commandButton(L"cmdOther").onClick = [] { throw std::runtime_error("handler failed"); };
    form.show();
    PostMessageW(windowOf(form.control(L"cmdOther")), BM_CLICK, 0, 0);
    std::string what;
    try {
        platform::win32::runMessagesUntil([] { return false; });
    } catch (const std::runtime_error& error) {
        what = error.what();
    }
    checkEqual(widen(what), L"handler failed", "the loop rethrows the handler's exception");
    check(form.loaded(), "the form is still there");
    form.unload();
}

} // namespace
