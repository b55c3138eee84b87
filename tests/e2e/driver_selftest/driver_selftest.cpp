// The end-to-end driver tested against a probe window whose behaviour is known, so
// that a failure in a program's cases points at the program, not at the driver.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/program_run.h"
#include "tests/e2e/driver/ui.h"

namespace {

using namespace e2e;

// The probe's window as a table: pixels at 96 DPI, 15 twips each.
platform::FormSpec probeLayout() {
    using platform::ControlKind;
    platform::FormSpec form;
    form.name = L"probe";
    form.caption = L"e2e probe";
    form.clientWidth = 300 * 15;
    form.clientHeight = 200 * 15;
    form.position = platform::TwipsPoint{50 * 15, 60 * 15};
    form.controls = {
        platform::controlSpec(L"edit", ControlKind::TextBox, L"", L"", {150, 150, 3000, 360}, 0),
        platform::controlSpec(L"report", ControlKind::Label, L"", L"", {150, 600, 4200, 300}, -1),
        platform::controlSpec(L"box", ControlKind::CommandButton, L"", L"Box",
                              {150, 1050, 1500, 360}, 1),
        platform::controlSpec(L"slow", ControlKind::CommandButton, L"", L"Slow",
                              {1800, 1050, 1500, 360}, 2),
    };
    return form;
}

// The probe started for the case, driven through its table.
struct Probe : ProgramRun {
    Probe()
        : ProgramRun(Suite::option(L"probe"),
                     CaseFolder(L"driver_selftest\\" + Suite::currentCase()).path(), probeLayout(),
                     96) {}
    HWND edit() { return control(L"edit"); }
    std::wstring report() { return text(L"report"); }
};

E2E_CASE(probe, finds_window_and_controls) {
    Probe probe;
    probe.checkLayout();
    probe.checkTexts();
}

E2E_CASE(probe, typing_raises_change) {
    Probe probe;
    typeText(probe.edit(), L"hello\u00e9");
    check(probe.focused() == probe.edit(), "typing left the focus in the edit");
    checkEqual(probe.text(L"edit"), L"hello\u00e9", "edit text after typing");
    require(waitUntil([&] { return probe.report() == L"1:hello\u00e9"; }),
            "one change reported, with the typed text; the label reads " +
                describe(probe.report()));
    probe.type(L"edit", L"");
    checkEqual(probe.report(), L"2:", "clearing the edit is a second change");
}

E2E_CASE(probe, idle_wait_covers_slow_handler) {
    Probe probe;
    clickButton(probe.control(L"slow"));
    waitForIdle(probe.edit());
    checkEqual(probe.report(), L"slow done",
               "the slow click has been handled when waitForIdle returns");
}

E2E_CASE(probe, reads_and_answers_message_boxes) {
    Probe probe;
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
        probe.type(L"edit", std::to_wstring(expected.style));
        clickButton(probe.control(L"box"));
        const auto box = waitForMessageBox(probe.processId());
        checkBox(box, L"Probe box", L"Style " + std::to_wstring(expected.style), expected.icon,
                 expected.buttons, which);
        check(!IsWindowEnabled(probe.window()), which + ": the window is disabled under its box");
        answer(box, expected.press);
        require(waitUntil(
                    [&] { return probe.report() == L"answer " + std::to_wstring(expected.press); }),
                which + ": the answer came back as " + describe(probe.report()));
        check(IsWindowEnabled(probe.window()), which + ": the window is enabled again");
    }
    check(noMessageBoxWithin(probe.processId(), milliseconds{200}), "no box left over");
}

E2E_CASE(probe, ends_on_close) {
    Probe probe;
    probe.close();
}

} // namespace
