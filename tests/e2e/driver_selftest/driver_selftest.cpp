// The end-to-end driver tested against a probe window whose behaviour is known, so
// that a failure in a program's cases points at the program, not at the driver.
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/ui.h"

namespace {

using namespace e2e;

struct Probe {
    CaseFolder folder;
    App app;
    HWND window;
    HWND edit;
    HWND report;

    explicit Probe(const wchar_t* caseName)
        : folder(std::wstring(L"driver_selftest\\") + caseName),
          app(Suite::option(L"probe"), folder.path()),
          window(waitForTopLevelWindow(app.processId(), L"e2e probe")),
          edit(findControl(window, L"Edit", {10, 10, 210, 34})),
          report(findControl(window, L"Static", {10, 40, 290, 60})) {}

    HWND button(const wchar_t* caption) {
        HWND found = findControl(window, L"Button",
                                 caption == std::wstring(L"Box") ? RECT{10, 70, 110, 94}
                                                                 : RECT{120, 70, 220, 94});
        checkEqual(windowText(found), caption, "button caption");
        return found;
    }
};

E2E_CASE(probe, finds_window_and_controls) {
    Probe probe(L"finds_window");
    const SIZE size = clientSize(probe.window);
    checkEqual(size.cx, 300, "client width");
    checkEqual(size.cy, 200, "client height");
    RECT outer{};
    GetWindowRect(probe.window, &outer);
    checkEqual(outer.left, 50, "window left");
    checkEqual(outer.top, 60, "window top");
    probe.button(L"Box");
    probe.button(L"Slow");
}

E2E_CASE(probe, typing_raises_change) {
    Probe probe(L"typing");
    typeText(probe.edit, L"hello\u00e9");
    check(focusedWindow(probe.window) == probe.edit, "typing left the focus in the edit");
    checkEqual(windowText(probe.edit), L"hello\u00e9", "edit text after typing");
    require(waitUntil([&] { return windowText(probe.report) == L"1:hello\u00e9"; }),
            "one change reported, with the typed text; the label reads " +
                describe(windowText(probe.report)));
    typeText(probe.edit, L"");
    checkEqual(windowText(probe.report), L"2:", "clearing the edit is a second change");
}

E2E_CASE(probe, idle_wait_covers_slow_handler) {
    Probe probe(L"idle");
    clickButton(probe.button(L"Slow"));
    waitForIdle(probe.edit);
    checkEqual(windowText(probe.report), L"slow done",
               "the slow click has been handled when waitForIdle returns");
}

E2E_CASE(probe, reads_and_answers_message_boxes) {
    Probe probe(L"message_boxes");
    HWND boxButton = probe.button(L"Box");
    struct Expected {
        int style;
        BoxIcon icon;
        std::vector<int> buttons;
        int press;
    };
    const Expected cases[] = {{0, BoxIcon::None, {button::ok}, button::ok},
                              {16, BoxIcon::Stop, {button::ok}, button::ok},
                              {32, BoxIcon::Question, {button::ok}, button::ok},
                              {48, BoxIcon::Exclamation, {button::ok}, button::ok},
                              {64, BoxIcon::Information, {button::ok}, button::ok},
                              {20, BoxIcon::Stop, {button::yes, button::no}, button::no},
                              {36, BoxIcon::Question, {button::yes, button::no}, button::yes}};
    for (const auto& expected : cases) {
        const std::string which = "style " + std::to_string(expected.style);
        typeText(probe.edit, std::to_wstring(expected.style));
        clickButton(boxButton);
        const auto box = waitForMessageBox(probe.app.processId());
        checkBox(box, L"Probe box", L"Style " + std::to_wstring(expected.style), expected.icon,
                 expected.buttons, which);
        check(!IsWindowEnabled(probe.window), which + ": the window is disabled under its box");
        answer(box, expected.press);
        require(waitUntil([&] {
                    return windowText(probe.report) == L"answer " + std::to_wstring(expected.press);
                }),
                which + ": the answer came back as " + describe(windowText(probe.report)));
        check(IsWindowEnabled(probe.window), which + ": the window is enabled again");
    }
    check(noMessageBoxWithin(probe.app.processId(), milliseconds{200}), "no box left over");
}

E2E_CASE(probe, ends_on_close) {
    Probe probe(L"close");
    PostMessageW(probe.window, WM_CLOSE, 0, 0);
    checkEqual(probe.app.waitForExit(), 0, "exit code");
}

} // namespace
