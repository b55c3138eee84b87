#include "tests/e2e/about/snipforge_session.h"

#include "snipforge/about_window_layout.h"
#include "snipforge/main_window_layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/expected_layout.h"
#include "tests/e2e/driver/ui.h"

namespace about_e2e {

using namespace e2e;

namespace {

const platform::ControlSpec& specOf(const platform::FormSpec& form, const std::wstring& name) {
    for (const auto& control : form.controls) {
        if (control.name == name) {
            return control;
        }
    }
    fail("no control " + describe(name) + " in the table of " + utf8(form.name));
}

} // namespace

SnipforgeSession::SnipforgeSession(const std::wstring& caseName, int dpi)
    : folder_(L"about\\" + caseName), app_(Suite::option(L"app"), folder_.path()),
      main_(waitForTopLevelWindow(app_.processId(), L"snipforge")), dpi_(dpi) {}

HWND SnipforgeSession::openAbout() {
    HWND about = findTopLevelWindow(processId(), L"About...");
    require(about == nullptr, "an About window is open before About was clicked");
    const auto form1 = snipforge::mainWindowLayout();
    HWND button = findControl(main_, L"Button", expectedClientRect(form1, L"Command3", dpi_));
    checkEqual(windowText(button), L"About", "caption of the About button");
    clickButton(button);
    return waitForTopLevelWindow(processId(), L"About...");
}

HWND SnipforgeSession::aboutControl(HWND about, const std::wstring& name) const {
    const auto layout = snipforge::aboutWindowLayout();
    const auto& design = specOf(layout, name);
    return findControl(about, expectedWindowClass(design.kind),
                       expectedClientRect(layout, name, dpi_));
}

void SnipforgeSession::expectAboutClosed(HWND about) {
    require(waitUntil([&] { return !IsWindow(about); }), "the About window did not close");
    require(waitUntil([&] { return IsWindowEnabled(main_) != FALSE; }),
            "the main window stays disabled after the About window closed");
    check(IsWindowVisible(main_) != FALSE, "the main window is still shown");
}

void SnipforgeSession::close() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    checkEqual(app_.waitForExit(), 0, "exit code of snipforge");
}

} // namespace about_e2e
