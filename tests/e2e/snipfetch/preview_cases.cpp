// The tip beside a row: the sniplet's name, author and description, fetched
// with a Range request when the row gets the focus.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/list_view.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <windows.h>

#include <algorithm>

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

const std::string head = "Sniplet File\r\nMessagebox window handle\r\nDozovad\r\nThis code creates "
                         "a message box that shows the handle of the window.\r\n";
const std::wstring tip = L"Messagebox window handle\r\nby Dozovad\r\nThis code creates a message "
                         L"box that shows the handle of the window.";

// The sniplet with its code made `codeBytes` long.
std::string snipletOf(std::size_t codeBytes) {
    std::string file = head;
    while (file.size() < head.size() + codeBytes) {
        file += "MsgBox \"Window: \" & *\r\n";
    }
    return file + "---\r\n\r\n---\r\n\r\n---\r\n\r\n---\r\n";
}

// The program's shown tooltip, or null.
HWND shownTip(const SnipfetchRun& window) {
    for (HWND candidate : topLevelWindows(window.processId())) {
        if (hasClass(candidate, L"tooltips_class32") && IsWindowVisible(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

bool tipShows(const SnipfetchRun& window, std::wstring_view text) {
    return waitUntil([&] {
        HWND shown = shownTip(window);
        return shown && windowText(shown) == text;
    });
}

// Down from the top row to this one, with the keyboard, the pointer out of the way.
void focusRow(SnipfetchRun& window, int row) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    window.clickRow(0);
    for (int step = 0; step < row; ++step) {
        pressKey(window.list(), VK_DOWN);
    }
    require(waitUntil([&] { return focusedRow(window.list()) == row; }), "the row has the focus");
}

E2E_CASE(preview, focused_row_shows_its_head_from_one_range_request) {
    SnipletSite site;
    site.serveCatalogue("other.snp\r\nmsgbox.snp");
    site.serve(L"other.snp", "no sniplet");
    site.serve(L"msgbox.snp", snipletOf(10000));
    SnipfetchRun window;
    window.getList();
    focusRow(window, 1);
    require(tipShows(window, tip), "the focused row's tip shows its three lines");
    HWND shown = shownTip(window);

    // Beside the row, right of the check boxes: neither is hidden.
    RECT tipRect{};
    GetWindowRect(shown, &tipRect);
    RECT row = rowBounds(window.list(), 1);
    MapWindowPoints(window.list(), nullptr, reinterpret_cast<POINT*>(&row), 2);
    POINT box = checkBoxPoint(window.list(), 1);
    ClientToScreen(window.list(), &box);
    const std::string where = "tip " + describe(tipRect) + ", row " + describe(row);
    check(tipRect.top >= row.bottom || tipRect.bottom <= row.top,
          "the tip leaves the row free: " + where);
    check(tipRect.left > box.x, "the tip starts right of the check boxes: " + where);

    // One request of the first 4 KiB; Get List's own requests are as before. The
    // first row may have been asked for too, had the focus rested on it.
    const std::string msgboxRange = "/Sniplets/msgbox.snp bytes=0-4095";
    const auto rangesOfMsgbox = [&] {
        const auto ranges = site.rangeRequests();
        return std::count(ranges.begin(), ranges.end(), msgboxRange);
    };
    checkEqual(static_cast<long long>(rangesOfMsgbox()), 1, "requests of msgbox.snp's head");
    site.checkRequests({"/Sniplets/Sniplets.txt"});

    pressKey(window.list(), VK_ESCAPE);
    check(waitUntil([&] { return !IsWindowVisible(shown); }), "Escape hides the tip");
    // Back on the row: the answer was kept, nothing more is asked.
    pressKey(window.list(), VK_UP);
    check(tipShows(window, L"No description: not a sniplet file"), "the first row's tip");
    pressKey(window.list(), VK_DOWN);
    check(tipShows(window, tip), "the tip again");
    checkEqual(static_cast<long long>(rangesOfMsgbox()), 1, "after a second look");
    checkEqual(static_cast<long long>(site.rangeRequests().size()), 2, "requests of heads");
    window.close();
}

E2E_CASE(preview, server_ignoring_the_range_still_gives_the_tip) {
    constexpr std::size_t large = 32u << 20;
    const std::string file = snipletOf(large);
    SnipletSite site;
    site.serveCatalogue("msgbox.snp");
    site.serve(L"msgbox.snp", file);
    site.ignoreRange(L"msgbox.snp");
    SnipfetchRun window;
    window.getList();
    focusRow(window, 0);
    require(tipShows(window, tip), "the tip comes from the start of the whole file");
    // The rest of the file was never read: the connection went.
    const std::string sent = "/Sniplets/msgbox.snp sent ";
    require(waitUntil([&] { return !site.ignoredRanges().empty(); }),
            "the server saw the client go away");
    const auto line = site.ignoredRanges().front();
    check(line.starts_with(sent), "the answer that ignored the range: " + line);
    check(std::stoull(line.substr(sent.size())) < file.size(), "sent only part: " + line);

    // Download of the row is the whole file, as always.
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplet(L"msgbox.snp"), file);
    site.checkRequests({"/Sniplets/Sniplets.txt", "/Sniplets/msgbox.snp"});
    window.close();
}

} // namespace
