// Run by run.sh once a program's window is up: does what the program is for, so
// that the screenshot shows it. It is a program of cases like the end-to-end
// tests, but no test runs it.
//   --case=show.snipfetch --rows=<n>  presses Get List, checks the first n rows
//   --case=show.snipforge             presses Example
#include "snipfetch/download_window_layout.h"
#include "snipforge/main_window_layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/list_view.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/driver/window_driver.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace {

// The process of the one window with this caption.
DWORD processOfWindow(const wchar_t* caption) {
    HWND window = FindWindowW(nullptr, caption);
    e2e::require(window != nullptr, "a window captioned " + e2e::describe(caption));
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

} // namespace

E2E_CASE(show, snipfetch) {
    e2e::WindowDriver window(processOfWindow(L"snipfetch"), snipfetch::downloadWindowLayout(), 96);
    window.click(L"cmdGetList", std::chrono::seconds(20));
    HWND list = window.control(L"lstAddIns");
    const int rows = e2e::rowCount(list);
    e2e::require(rows > 0, "rows in the list after Get List");
    const int toCheck = std::min(rows, std::stoi(e2e::Suite::option(L"rows")));
    for (int row = 0; row < toCheck; ++row) {
        e2e::clickAt(list, e2e::checkBoxPoint(list, row));
        window.waitForIdle();
    }
}

E2E_CASE(show, snipforge) {
    e2e::WindowDriver window(processOfWindow(L"snipforge"), snipforge::mainWindowLayout(), 96);
    window.click(L"Command2");
}
