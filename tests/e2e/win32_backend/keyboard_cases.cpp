// The keyboard interface of a form: focus on showing, tab order, Enter, Esc and
// access keys, all through the backend's message loop.
#include "tests/e2e/win32_backend/backend_forms.h"

#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/ui.h"

namespace {

using namespace backend_e2e;
using namespace e2e;

std::wstring focusedName(const platform::Form& form) {
    const HWND focus = GetFocus();
    for (const auto& control : form.controls()) {
        if (windowOf(*control) == focus) {
            return control->name();
        }
    }
    return focus ? L"(another window)" : L"(none)";
}

void sendShiftTab() {
    INPUT shift{};
    shift.type = INPUT_KEYBOARD;
    shift.ki.wVk = VK_SHIFT;
    SendInput(1, &shift, sizeof shift);
    pumpMessages();
    pressKey(VK_TAB);
    shift.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &shift, sizeof shift);
    pumpMessages();
}

E2E_CASE(keyboard, tab_order) {
    platform::Form form(sampleSpec());
    form.show();
    pumpMessages();
    checkEqual(focusedName(form), L"Text1", "the first tab stop has the focus on showing");
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(windowOf(form.control(L"Text1")), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    check(start == 0 && end == 4, "with its text selected");

    std::vector<std::wstring> visited;
    for (int step = 0; step < 8; ++step) {
        pressKey(VK_TAB);
        visited.push_back(focusedName(form));
    }
    // Option groups are one stop each, on the selected button; Text5 is no stop.
    check(visited == std::vector<std::wstring>{L"Text2", L"Text4", L"optA2", L"optB2", L"cmdOK",
                                               L"cmdOther", L"lstRows", L"Text1"},
          "Tab follows the tab index, once round");
    checkEqual(form.textBox(L"Text4").text(), L"line one\r\nline two\r\n",
               "Tab in a multi-line box moves on and types nothing");

    sendShiftTab();
    checkEqual(focusedName(form), L"lstRows", "Shift+Tab goes back");

    // Focus comes back to where it was when the form is active again.
    SetFocus(windowOf(form.control(L"Text2")));
    platform::Form other(dialogSpec());
    other.show();
    pumpMessages();
    check(GetActiveWindow() == formWindowOf(other), "another window active");
    SetActiveWindow(formWindowOf(form));
    pumpMessages();
    checkEqual(focusedName(form), L"Text2", "focus restored on reactivation");
    other.unload();
    form.unload();
}

E2E_CASE(keyboard, enter_esc_access_keys) {
    platform::Form form(sampleSpec());
    Counter ok;
    Counter other;
    form.commandButton(L"cmdOK").onClick = ok.handler();
    form.commandButton(L"cmdOther").onClick = other.handler();
    form.show();
    pumpMessages();

    pressKey(VK_RETURN);
    checkEqual(ok.calls, 1, "Enter in a single-line box presses the default button");
    SetFocus(windowOf(form.control(L"cmdOther")));
    pressKey(VK_RETURN);
    checkEqual(other.calls, 1, "Enter on a focused button presses that button");
    checkEqual(ok.calls, 1, "and not the default one");

    SetFocus(windowOf(form.control(L"Text4")));
    pressKey(VK_ESCAPE);
    check(form.loaded(), "Esc in a multi-line box of a form without cancel button closes nothing");
    pressKey(VK_RETURN);
    checkEqual(ok.calls, 1, "Enter in a multi-line box is a new line");
    check(form.textBox(L"Text4").text().find(L"\r\n") != std::wstring::npos,
          "the box still holds its lines");

    SetFocus(windowOf(form.control(L"Text1")));
    PostMessageW(GetFocus(), WM_SYSCHAR, L'o', 1 << 29);
    pumpMessages();
    checkEqual(other.calls, 2, "Alt+O presses &Other");
    form.unload();

    platform::Form dialog(dialogSpec());
    Counter close;
    dialog.commandButton(L"cmdClose").onClick = close.handler();
    dialog.show();
    pumpMessages();
    pressKey(VK_ESCAPE);
    checkEqual(close.calls, 1, "Esc presses the cancel button");
    dialog.unload();
}

} // namespace
