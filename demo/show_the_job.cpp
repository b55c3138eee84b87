// Run by run.sh once a program's window is up: does what the program is for, so
// that the screenshot shows it. It is a program of cases like the end-to-end
// tests, but no test runs it.
//   --case=show.snipfetch --rows=<n>  presses Get List, checks the first n rows,
//                                     then moves to the next row to show its tip
//   --case=show.snipforge             presses Example
#include "snipfetch/download_window_layout.h"
#include "snipforge/main_window_layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/list_view.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/driver/wait.h"
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
    if (toCheck == 0 || toCheck >= rows) {
        return;
    }
    // The last checked row is clicked on its text, then the row below it gets the
    // focus from the keyboard, and with it its tip; the pointer stays out of the way.
    const RECT last = e2e::rowBounds(list, toCheck - 1);
    e2e::clickAt(list, POINT{(last.left + last.right) / 2, (last.top + last.bottom) / 2});
    window.waitForIdle();
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    e2e::pressKey(list, VK_DOWN);
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    const bool tipShown = e2e::waitUntil([&] {
        for (HWND shown : e2e::topLevelWindows(processId)) {
            if (e2e::hasClass(shown, L"tooltips_class32") && IsWindowVisible(shown) &&
                e2e::windowText(shown).find(L"\r\nby ") != std::wstring::npos) {
                return true;
            }
        }
        return false;
    });
    e2e::require(tipShown, "the tip of the focused row");
}

E2E_CASE(show, snipforge) {
    e2e::WindowDriver window(processOfWindow(L"snipforge"), snipforge::mainWindowLayout(), 96);
    window.click(L"Command2");
}
