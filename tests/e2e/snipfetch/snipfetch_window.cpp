#include "tests/e2e/snipfetch/snipfetch_window.h"

#include "snipfetch/download_window_layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/expected_layout.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipfetch/list_view.h"

#include <commctrl.h>

namespace snipfetch_e2e {

using namespace e2e;

SnipfetchWindow::SnipfetchWindow(const std::wstring& caseName, int dpi)
    : SnipfetchWindow(Suite::option(L"program"), CaseFolder(L"snipfetch\\" + caseName).path(),
                      dpi) {}

SnipfetchWindow::SnipfetchWindow(const std::wstring& program, const std::wstring& folder, int dpi)
    : folder_(folder), app_(program, folder_), dpi_(dpi),
      form_(waitForTopLevelWindow(app_.processId(), L"snipfetch")) {
    const auto layout = snipfetch::downloadWindowLayout();
    const auto find = [&](const wchar_t* name, const wchar_t* windowClass) {
        return findControl(form_, windowClass, expectedClientRect(layout, name, dpi_));
    };
    list_ = find(L"lstAddIns", L"SysListView32");
    getList_ = find(L"cmdGetList", L"Button");
    download_ = find(L"cmdDownload", L"Button");
}

void SnipfetchWindow::waitUntilIdle(milliseconds timeout) {
    // A marker posted behind the click: once the list has taken it, the click's
    // handler has returned or is waiting in a message box. The hover time of a
    // list without hover selection changes nothing the user sees.
    const UINT marker = 1000 + (++lastMarker_ % 1000);
    PostMessageW(list_, LVM_SETHOVERTIME, 0, marker);
    const bool handled = waitUntil(
        [&] {
            DWORD_PTR hoverTime = 0;
            // The handler may run for a while: a short wait per try, not one long one.
            return SendMessageTimeoutW(list_, LVM_GETHOVERTIME, 0, 0, SMTO_NORMAL, 100,
                                       &hoverTime) != 0 &&
                   hoverTime == marker;
        },
        timeout);
    require(handled, "the program was still busy after " + std::to_string(timeout.count()) + " ms");
}

void SnipfetchWindow::press(HWND button, milliseconds timeout) {
    clickButton(button);
    waitUntilIdle(timeout);
}

void SnipfetchWindow::expectMessage(std::wstring_view title, std::wstring_view text, BoxIcon icon) {
    const auto box = waitForMessageBox(processId());
    checkEqual(box.title, title, "message box title");
    checkEqual(box.text, text, "message box text");
    check(box.icon == icon,
          "message box icon is " + describe(box.icon) + ", expected " + describe(icon));
    check(box.buttons == std::vector<int>{button::ok}, "the message box has an OK button alone");
    check(GetWindow(box.window, GW_OWNER) == form_, "the message box belongs to the window");
    answer(box, button::ok);
}

void SnipfetchWindow::expectNoMessage() {
    // Boxes not yet shown count too: the handler has returned when we get here.
    for (HWND window : topLevelWindows(processId())) {
        if (className(window) == L"#32770") {
            fail("a message box is up: " + describe(windowText(window)) + ": " +
                 describe(windowText(GetDlgItem(window, 0xFFFF))));
        }
    }
}

std::vector<std::wstring> SnipfetchWindow::rows() const {
    return rowTexts(list_);
}

std::vector<bool> SnipfetchWindow::checks() const {
    return rowChecks(list_);
}

void SnipfetchWindow::clickCheckBox(int row) {
    clickAt(list_, checkBoxPoint(list_, row));
    waitUntilIdle();
}

void SnipfetchWindow::clickRow(int row) {
    const RECT bounds = rowBounds(list_, row);
    clickAt(list_, POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
    waitUntilIdle();
}

void SnipfetchWindow::close() {
    PostMessageW(form_, WM_CLOSE, 0, 0);
    checkEqual(static_cast<long long>(app_.waitForExit()), 0, "exit code of snipfetch");
}

} // namespace snipfetch_e2e
