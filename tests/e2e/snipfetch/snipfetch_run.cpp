#include "tests/e2e/snipfetch/snipfetch_run.h"

#include "snipfetch/download_window_layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/list_view.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"

namespace snipfetch_e2e {

using namespace e2e;

SnipfetchRun::SnipfetchRun(int dpi)
    : SnipfetchRun(CaseFolder(L"snipfetch\\" + Suite::currentCase()).path(), dpi) {}

SnipfetchRun::SnipfetchRun(const std::wstring& folder, int dpi, const Placement& placement)
    : ProgramRun(Suite::option(L"program"), folder, snipfetch::downloadWindowLayout(), dpi,
                 placement) {}

void SnipfetchRun::expectMessage(std::wstring_view title, std::wstring_view text, BoxIcon icon) {
    const auto box = waitForMessageBox(processId());
    checkBox(box, title, text, icon);
    check(GetWindow(box.window, GW_OWNER) == window(), "the message box belongs to the window");
    answer(box, button::ok);
}

void SnipfetchRun::expectNoMessage() {
    // Boxes not yet shown count too: the handler has returned when we get here.
    for (HWND window : topLevelWindows(processId())) {
        if (className(window) == L"#32770") {
            fail("a message box is up: " + describe(windowText(window)) + ": " +
                 describe(windowText(GetDlgItem(window, 0xFFFF))));
        }
    }
}

bool SnipfetchRun::checkRows(const std::vector<std::wstring>& expected,
                             std::source_location where) {
    return checkEqual(rowTexts(list()), expected, "the rows of the list", where);
}

bool SnipfetchRun::checkChecks(const std::vector<bool>& expected, std::source_location where) {
    return checkEqual(rowChecks(list()), expected, "the check boxes of the rows", where);
}

void SnipfetchRun::placeSniplet(std::wstring_view name, std::string_view bytes) {
    CreateDirectoryW(sniplets().c_str(), nullptr);
    writeFileBytes(sniplet(name), bytes);
}

void SnipfetchRun::clickCheckBox(int row) {
    clickAt(list(), checkBoxPoint(list(), row));
    waitForIdle();
}

void SnipfetchRun::clickRow(int row) {
    const RECT bounds = rowBounds(list(), row);
    clickAt(list(), POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
    waitForIdle();
}

} // namespace snipfetch_e2e
