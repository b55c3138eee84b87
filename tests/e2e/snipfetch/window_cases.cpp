// snipfetch's window under Wine against a real HTTP server on 127.0.0.1: Get List
// and Download as a user drives them, and what ends up on disk.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/list_view.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipfetch/proxy_setting.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <commctrl.h>

#include <cwchar>

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

using Names = std::vector<std::wstring>;

const std::wstring cafe = L"Caf\u00E9.snp";

// Every byte value, with CR LF, a lone LF and NULs among them.
std::string binaryBody() {
    std::string body("\0\r\n\n\r\x1A", 6);
    for (int value = 0; value < 256; ++value) {
        body.push_back(static_cast<char>(value));
    }
    return body + std::string("\r\n\0end", 6);
}

std::wstring programFileName() {
    const auto path = Suite::option(L"program");
    return path.substr(path.find_last_of(L"/\\") + 1);
}

void windowAsDesigned(int dpi) {
    const LogPixelsOverride pixels(dpi);
    SnipletSite site;
    SnipfetchRun window(dpi);

    checkEqual(windowText(window.window()), L"snipfetch", "caption");
    window.checkLayout();
    window.checkTexts();

    checkEqual(window.text(L"Frame1"), L"snipfetch", "caption of Frame1");
    checkEqual(window.text(L"cmdGetList"), L"Get List", "caption of cmdGetList");
    checkEqual(window.text(L"cmdDownload"), L"Download", "caption of cmdDownload");
    for (const wchar_t* button : {L"cmdGetList", L"cmdDownload"}) {
        check((GetWindowLongW(window.control(button), GWL_STYLE) & 0x0F) == BS_PUSHBUTTON,
              "the buttons are plain push buttons, neither is the default");
    }
    for (const wchar_t* name : {L"lstAddIns", L"cmdGetList", L"cmdDownload", L"Frame1"}) {
        HWND control = window.control(name);
        check(IsWindowEnabled(control) && IsWindowVisible(control), "every control is enabled");
    }

    const auto listStyle = GetWindowLongW(window.list(), GWL_STYLE);
    check((listStyle & LVS_TYPEMASK) == LVS_REPORT, "the list shows rows in report view");
    check((listStyle & LVS_NOCOLUMNHEADER) != 0, "the list has no column header");
    check((listStyle & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) == 0, "the list is not sorted");
    const auto extended = sendMessage(window.list(), LVM_GETEXTENDEDLISTVIEWSTYLE);
    check((extended & LVS_EX_CHECKBOXES) != 0, "every row has a check box");
    checkEqual(rowCount(window.list()), 0, "rows at start");

    // Tab order: the list, Get List, Download.
    const auto focusGoesTo = [&](const wchar_t* name) {
        return waitUntil([&] { return window.focused() == window.control(name); });
    };
    check(focusGoesTo(L"lstAddIns"), "the list has the focus at start");
    pressKey(window.window(), VK_TAB);
    check(focusGoesTo(L"cmdGetList"), "Tab moves to Get List");
    pressKey(window.window(), VK_TAB);
    check(focusGoesTo(L"cmdDownload"), "Tab moves on to Download");
    // No cancel button: Esc leaves the window up.
    window.press(VK_ESCAPE);
    check(IsWindow(window.window()) && IsWindowVisible(window.window()),
          "Esc does not close the window");
    window.expectNoMessage();

    site.checkRequests({});
    window.close();
}

E2E_CASE(window, at_96_dpi) {
    windowAsDesigned(96);
}

E2E_CASE(window, at_144_dpi) {
    windowAsDesigned(144);
}

// Told that it is now on a monitor of 144 DPI, the window lays itself out as if
// started there, with taller rows and larger check boxes, and keeps its rows,
// checks, focus, selection and the row at the top.
E2E_CASE(window, follows_a_dpi_change) {
    const LogPixelsOverride pixels(96);
    SnipletSite site;
    std::string catalogue;
    Names names;
    for (int number = 10; number < 40; ++number) {
        names.push_back(std::to_wstring(number) + L".snp");
        catalogue += std::to_string(number) + ".snp\r\n";
    }
    site.serveCatalogue(catalogue);
    SnipfetchRun window(96);
    window.getList();
    window.clickCheckBox(2);
    window.clickRow(4);
    sendMessage(window.list(), LVM_ENSUREVISIBLE, 29, FALSE);
    require(topRow(window.list()) > 0, "the list scrolled down");
    const int top = topRow(window.list());
    const auto rowHeight = [&] {
        const RECT row = rowBounds(window.list(), 0);
        return row.bottom - row.top;
    };
    const auto checkBoxWidth = [&] {
        const RECT row = rowBounds(window.list(), top);
        return 2 * (checkBoxPoint(window.list(), top).x - row.left);
    };
    const int heightBefore = rowHeight();
    const int boxBefore = checkBoxWidth();

    window.changeDpi(144);
    window.checkLayout();
    check(rowHeight() * 4 >= heightBefore * 5, "rows are taller: " + std::to_string(heightBefore) +
                                                   " pixels at 96 DPI, " +
                                                   std::to_string(rowHeight()) + " at 144");
    check(checkBoxWidth() * 4 >= boxBefore * 5, "check boxes are larger");
    window.checkRows(names);
    std::vector<bool> checks(names.size(), false);
    checks[2] = true;
    window.checkChecks(checks);
    checkEqual(focusedRow(window.list()), 4, "the focused row");
    checkEqual(topRow(window.list()), top, "the row at the top");
    checkEqual(window.nameOf(window.focused()), L"lstAddIns", "the control with the focus");
    window.close();
}

E2E_CASE(window, get_list_without_folder) {
    SnipletSite site;
    site.serveCatalogue("b.snp\r\n a.snp \r\nb.snp\r\nMy Tools.snp\r\n");
    SnipfetchRun window;
    window.getList();
    window.expectNoMessage();
    // Spaces trimmed, duplicates kept, and the empty entry after the last CR LF is no row.
    window.checkRows({L"b.snp", L"a.snp", L"b.snp", L"My Tools.snp"});
    window.checkChecks({false, false, false, false});
    check(!fileExists(window.sniplets()), "Get List made no Sniplets folder");
    site.checkRequests({"/Sniplets/Sniplets.txt"});
    window.close();
}

E2E_CASE(window, get_list_skips_present_files) {
    SnipletSite site;
    site.serveCatalogue("have.snp\r\nCaf\xC3\xA9.snp\r\nro.snp\r\nhidden.snp\r\nsystem.snp\r\n"
                        "dir.snp\r\nnew.snp\r\n");
    SnipfetchRun window;
    for (const wchar_t* name :
         {L"HAVE.SNP", L"CAF\u00C9.SNP", L"ro.snp", L"hidden.snp", L"system.snp"}) {
        window.placeSniplet(name, "x");
    }
    setAttributes(window.sniplet(L"ro.snp"), FILE_ATTRIBUTE_READONLY);
    setAttributes(window.sniplet(L"hidden.snp"), FILE_ATTRIBUTE_HIDDEN);
    setAttributes(window.sniplet(L"system.snp"), FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryW(window.sniplet(L"dir.snp").c_str(), nullptr);

    window.getList();
    window.expectNoMessage();
    // Letter case does not count; hidden and system files and folders are no sniplets.
    window.checkRows({L"hidden.snp", L"system.snp", L"dir.snp", L"new.snp"});
    // A second press replaces the rows.
    window.getList();
    window.checkRows({L"hidden.snp", L"system.snp", L"dir.snp", L"new.snp"});
    window.close();
}

E2E_CASE(window, nothing_new_shows_the_notice) {
    SnipletSite site;
    site.serveCatalogue("x.snp");
    SnipfetchRun window;
    window.getList();
    window.checkRows({L"x.snp"});

    window.placeSniplet(L"a.snp", "x");
    site.serveCatalogue("a.snp\r\n");
    window.getList();
    window.expectMessage(L"Notice", text::noNewAddIns, BoxIcon::Information);
    window.checkRows({});

    site.serveCatalogue("");
    window.getList();
    window.expectMessage(L"Notice", text::noNewAddIns, BoxIcon::Information);
    window.close();
}

E2E_CASE(window, traversal_names_are_skipped) {
    SnipletSite site;
    site.serveCatalogue("..\\evil.snp\r\n../evil.snp\r\nC:\\evil.snp\r\nnul.snp\r\n..\r\n"
                        "sub/evil.snp\r\nevil\xE2\x80\xAEpns.exe\r\nCONOUT$.snp\r\n"
                        "COM\xC2\xB9.snp\r\n" +
                        std::string(300, 'x') + ".snp\r\nok.snp\r\n");
    site.serve(L"ok.snp", "ok");
    SnipfetchRun window;
    window.getList();
    window.expectNoMessage();
    window.checkRows({L"ok.snp"});
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkEntries(window.sniplets(), {L"ok.snp"});
    checkEntries(window.folder(), {L"Sniplets", programFileName()});
    const auto parent = window.folder().substr(0, window.folder().rfind(L'\\'));
    check(!fileExists(parent + L"\\evil.snp"), "no evil.snp beside the case folder");
    check(!fileExists(L"C:\\evil.snp"), "no C:\\evil.snp");
    site.checkRequests({"/Sniplets/Sniplets.txt", "/Sniplets/ok.snp"});
    window.close();
}

E2E_CASE(window, download_stores_checked_rows_byte_for_byte) {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp\r\nMy Tools.snp\r\nCaf\xC3\xA9.snp");
    site.serve(L"a.snp", binaryBody());
    site.serve(L"b.snp", "b");
    site.serve(L"My Tools.snp", "Sniplet File\r\ntools\r\n");
    site.serve(cafe, "caf\xC3\xA9");
    SnipfetchRun window;
    window.getList();
    window.checkRows({L"a.snp", L"b.snp", L"My Tools.snp", cafe});

    // A click on a box toggles it; on the keyboard Down moves and Space toggles.
    window.clickCheckBox(0);
    window.clickCheckBox(1);
    window.clickCheckBox(1);
    window.checkChecks({true, false, false, false});
    window.clickRow(0);
    require(focusedWindow(window.window()) == window.list(), "the list has the focus");
    pressKey(window.list(), VK_DOWN);
    pressKey(window.list(), VK_DOWN);
    pressKey(window.list(), VK_SPACE);
    pressKey(window.list(), VK_DOWN);
    pressKey(window.list(), VK_SPACE);
    pressKey(window.list(), VK_UP);
    pressKey(window.list(), VK_UP);
    pressKey(window.list(), VK_SPACE);
    pressKey(window.list(), VK_SPACE);
    // The keys are handled in order, before the marker posted behind them.
    window.waitForIdle();
    window.checkChecks({true, false, true, true});

    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplet(L"a.snp"), binaryBody());
    checkFile(window.sniplet(L"My Tools.snp"), "Sniplet File\r\ntools\r\n");
    checkFile(window.sniplet(cafe), "caf\xC3\xA9");
    checkEntries(window.sniplets(), {L"a.snp", L"My Tools.snp", cafe});
    site.checkRequestsInAnyOrder({"/Sniplets/Sniplets.txt", "/Sniplets/a.snp",
                                  "/Sniplets/My%20Tools.snp", "/Sniplets/Caf%C3%A9.snp"});
    // The list stays as it was, checks and all.
    window.checkRows({L"a.snp", L"b.snp", L"My Tools.snp", cafe});
    window.checkChecks({true, false, true, true});

    // Again: the same files fetched and written again.
    site.serve(L"a.snp", "second");
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplet(L"a.snp"), "second");
    checkEqual(static_cast<long long>(site.requests().size()), 7, "requests after two downloads");

    // The next Get List leaves out what is there now.
    window.getList();
    window.checkRows({L"b.snp"});
    window.close();
}

E2E_CASE(window, download_with_nothing_checked) {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp");
    SnipfetchRun window;
    window.download();
    window.expectMessage(L"Notice", text::selectOne, BoxIcon::Information);
    const DWORD attributes = GetFileAttributesW(window.sniplets().c_str());
    check(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
          "Download made the Sniplets folder");
    window.getList();
    window.download();
    window.expectMessage(L"Notice", text::selectOne, BoxIcon::Information);
    checkEntries(window.sniplets(), {});
    site.checkRequests({"/Sniplets/Sniplets.txt"});
    window.close();
}

E2E_CASE(window, failed_catalogue_keeps_the_rows) {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp");
    SnipfetchRun window;
    window.getList();
    window.clickCheckBox(1);

    note("catalogue answered with 500");
    site.answerStatus(L"Sniplets.txt", 500);
    window.getList();
    window.expectMessage(L"Error", text::listError, BoxIcon::Stop);
    note("catalogue cut short");
    site.clearMarkers(L"Sniplets.txt");
    site.cutShort(L"Sniplets.txt");
    window.getList();
    window.expectMessage(L"Error", text::listError, BoxIcon::Stop);
    note("catalogue in chunks, cut short");
    site.clearMarkers(L"Sniplets.txt");
    site.serveCatalogue("c.snp\r\nd.snp\r\ne.snp\r\nf.snp");
    site.chunked(L"Sniplets.txt", false);
    window.getList();
    window.expectMessage(L"Error", text::listError, BoxIcon::Stop);
    note("catalogue larger than 64 MiB");
    site.clearMarkers(L"Sniplets.txt");
    site.huge(L"Sniplets.txt", (64LL << 20) + 1);
    window.getList();
    window.expectMessage(L"Error", text::listError, BoxIcon::Stop);
    note("catalogue missing: 404");
    site.clearMarkers(L"Sniplets.txt");
    removeAll(site.root() + L"\\Sniplets\\Sniplets.txt");
    window.getList();
    window.expectMessage(L"Error", text::listError, BoxIcon::Stop);

    window.checkRows({L"a.snp", L"b.snp"});
    window.checkChecks({false, true});
    window.close();
}

// Three rows checked, the second fails: the first is stored, the earlier files
// of the second and the third stay whole. The third may have been fetched beside
// the others; it is never written.
void failureInTheMiddle(void (*breakSecond)(SnipletSite&)) {
    SnipletSite site;
    site.serveCatalogue("one.snp\r\ntwo.snp\r\nthree.snp");
    site.serve(L"one.snp", "1");
    site.serve(L"two.snp", std::string(4096, 't'));
    site.serve(L"three.snp", "3");
    SnipfetchRun window;
    window.getList();
    for (int row = 0; row < 3; ++row) {
        window.clickCheckBox(row);
    }
    window.placeSniplet(L"two.snp", "earlier two");
    window.placeSniplet(L"three.snp", "earlier three");
    breakSecond(site);
    window.download();
    window.expectMessage(L"Error", text::downloadError, BoxIcon::Stop);
    checkFile(window.sniplet(L"one.snp"), "1");
    checkFile(window.sniplet(L"two.snp"), "earlier two");
    checkFile(window.sniplet(L"three.snp"), "earlier three");
    // No partial file, no temporary file.
    checkEntries(window.sniplets(), {L"one.snp", L"three.snp", L"two.snp"});
    window.close();
}

E2E_CASE(window, missing_file_in_the_middle) {
    failureInTheMiddle([](SnipletSite& site) { site.answerStatus(L"two.snp", 404); });
}

E2E_CASE(window, cut_body_in_the_middle) {
    failureInTheMiddle([](SnipletSite& site) { site.cutShort(L"two.snp"); });
}

E2E_CASE(window, chunked_body_cut_in_the_middle) {
    failureInTheMiddle([](SnipletSite& site) { site.chunked(L"two.snp", false); });
}

E2E_CASE(window, no_content_in_the_middle) {
    failureInTheMiddle([](SnipletSite& site) { site.answerStatus(L"two.snp", 204); });
}

E2E_CASE(window, partial_content_in_the_middle) {
    failureInTheMiddle([](SnipletSite& site) { site.answerStatus(L"two.snp", 206); });
}

E2E_CASE(window, longer_earlier_file_is_replaced) {
    SnipletSite site;
    site.serveCatalogue("a.snp");
    site.serve(L"a.snp", "short body");
    SnipfetchRun window;
    window.getList();
    window.clickCheckBox(0);
    window.placeSniplet(L"a.snp", std::string(1000, 'L'));
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplet(L"a.snp"), "short body");
    checkEntries(window.sniplets(), {L"a.snp"});
    window.close();
}

E2E_CASE(window, file_in_the_way_of_the_folder) {
    SnipletSite site;
    site.serveCatalogue("a.snp");
    site.serve(L"a.snp", "a");
    SnipfetchRun window;
    writeFileBytes(window.sniplets(), "in the way");
    window.getList();
    window.checkRows({L"a.snp"});
    window.download(); // nothing checked yet
    window.expectMessage(L"Notice", text::selectOne, BoxIcon::Information);
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Error", text::downloadError, BoxIcon::Stop);
    checkFile(window.sniplets(), "in the way");
    checkEntries(window.folder(), {L"Sniplets", programFileName()});
    window.close();
}

E2E_CASE(window, redirect_is_followed) {
    SnipletSite site;
    site.serveCatalogue("moved.snp");
    site.redirect(L"moved.snp", "/Sniplets/target.snp");
    site.serve(L"target.snp", "moved here");
    SnipfetchRun window;
    window.getList();
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplet(L"moved.snp"), "moved here");
    checkEntries(window.sniplets(), {L"moved.snp"});
    window.close();
}

// Presses Get List against a catalogue that takes `seconds` to come, and returns
// once the handler is waiting for it.
void getListThatWaits(SnipfetchRun& window, SnipletSite& site, double seconds) {
    site.delay(L"Sniplets.txt", seconds);
    const auto asked = site.requests().size();
    clickButton(window.control(L"cmdGetList"));
    require(waitUntil([&] { return site.requests().size() > asked; }),
            "the catalogue was not asked for");
}

// The Notice of a Download with nothing checked comes up only after Get List
// has filled the list: the click waited for the running handler.
void expectDownloadRanAfterGetList(SnipfetchRun& window, const Names& rows) {
    const auto box = waitForMessageBox(window.processId(), milliseconds{20000});
    checkEqual(box.text, text::selectOne, "the message of the waiting Download");
    window.checkRows(rows);
    answer(box, button::ok);
    window.waitForIdle();
    window.expectNoMessage();
}

E2E_CASE(window, answers_while_it_waits) {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp");
    SnipfetchRun window;
    const Stopwatch clock;
    getListThatWaits(window, site, 8);

    // What is uncovered or invalidated is painted while the handler waits.
    require(InvalidateRect(window.window(), nullptr, TRUE) != 0, "could not invalidate the window");
    check(waitUntil([&] { return !GetUpdateRect(window.window(), nullptr, FALSE); }),
          "the window repainted during the wait");
    // A click posted now waits in the queue until Get List is over.
    clickButton(window.control(L"cmdDownload"));
    check(staysFalse([&] { return rowCount(window.list()) != 0; },
                     milliseconds{6000} - clock.elapsed()),
          "Get List is still waiting at 6 s");
    check(!IsHungAppWindow(window.window()), "the window is not hung 6 s into the wait");
    expectDownloadRanAfterGetList(window, {L"a.snp", L"b.snp"});

    // Over the window, the pointer shows the wait, and after it what it was. Wine
    // gives each process handles of its own for the system's cursors, so the wait
    // cursor is told by its change, not by the handle IDC_WAIT has here.
    const PointerAt pointer(window.list());
    window.waitForIdle();
    const HCURSOR before = shownCursor();
    site.serveCatalogue("c.snp");
    getListThatWaits(window, site, 3);
    HCURSOR wait = nullptr;
    check(waitUntil([&] { return (wait = shownCursor()) != before && wait != nullptr; }),
          "another cursor shows during the wait");
    // A button pressed through a sent message, as an accessibility tool does:
    // the program answers at once, and the command runs after the handler.
    DWORD_PTR answered = 0;
    check(SendMessageTimeoutW(window.control(L"cmdDownload"), BM_CLICK, 0, 0, SMTO_NORMAL, 2000,
                              &answered) != 0,
          "a message sent during the wait is answered");
    check(shownCursor() == wait, "the wait cursor stays while the wait lasts");
    require(waitUntil([&] { return rowCount(window.list()) != 0; }), "Get List ends");
    check(waitUntil([&] { return shownCursor() == before; }),
          "after the wait the pointer is what it was");
    expectDownloadRanAfterGetList(window, {L"c.snp"});
    window.close();
}

// Killed in the middle of a Download, the program leaves a staging folder with
// a partial file; the next Download in that folder removes it, and leaves alone
// what a program that still runs is using.
E2E_CASE(window, killed_download_leaves_nothing_behind) {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nslow.snp");
    site.serve(L"a.snp", "a");
    site.serve(L"slow.snp", std::string(2000, 's'));
    site.stallHalfway(L"slow.snp");
    const std::wstring folder = CaseFolder(L"snipfetch\\killed").path();
    SnipfetchRun running(CaseFolder(L"snipfetch\\killed_other").path());
    const auto runningId = std::to_wstring(running.processId());
    wchar_t runningHex[16];
    swprintf(runningHex, 16, L"%lx", running.processId());
    const std::wstring sniplets = folder + L"\\Sniplets";
    std::wstring killedStaging;
    {
        SnipfetchRun killed(folder);
        killed.getList();
        killed.clickCheckBox(0);
        killed.clickCheckBox(1);
        clickButton(killed.control(L"cmdDownload"));
        killedStaging = sniplets + L"\\~staging-" + std::to_wstring(killed.processId());
        // a.snp in place first: the one file in staging is then slow.snp's, not a.snp's.
        require(waitUntil(
                    [&] {
                        return GetFileAttributesW((sniplets + L"\\a.snp").c_str()) !=
                                   INVALID_FILE_ATTRIBUTES &&
                               folderEntries(killedStaging).size() == 1;
                    },
                    milliseconds{10000}),
                "no partial file in " + describe(killedStaging));
        const auto partial = killedStaging + L"\\" + folderEntries(killedStaging)[0];
        // Its size from the folder: the file itself is open for writing, shared with no one.
        const auto size = [&] {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            return GetFileAttributesExW(partial.c_str(), GetFileExInfoStandard, &data)
                       ? data.nFileSizeLow
                       : 0;
        };
        require(waitUntil([&] { return size() == 1000; }),
                "the partial file did not get its 1,000 bytes");
        killed.kill();
    }
    // What a program that still runs uses, in the same folder.
    const auto otherStaging = sniplets + L"\\~staging-" + runningId;
    const auto otherTemporary = sniplets + L"\\~rf" + runningHex + L"-1.tmp";
    CreateDirectoryW(otherStaging.c_str(), nullptr);
    writeFileBytes(otherStaging + L"\\~" + runningId + L"-1.tmp", "in use");
    writeFileBytes(otherTemporary, "in use");
    checkEntries(sniplets, {L"a.snp", killedStaging.substr(sniplets.size() + 1),
                            otherStaging.substr(sniplets.size() + 1),
                            otherTemporary.substr(sniplets.size() + 1)});

    site.clearMarkers(L"slow.snp");
    SnipfetchRun resumed(folder);
    resumed.getList();
    resumed.checkRows({L"slow.snp"});
    resumed.clickCheckBox(0);
    resumed.download();
    resumed.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(sniplets + L"\\slow.snp", std::string(2000, 's'));
    checkEntries(sniplets, {L"a.snp", L"slow.snp", otherStaging.substr(sniplets.size() + 1),
                            otherTemporary.substr(sniplets.size() + 1)});
    checkEqual(static_cast<long long>(folderEntries(otherStaging).size()), 1,
               "files in the running program's staging folder");
    resumed.close();
    running.close();
}

E2E_CASE(window, proxy_settings_are_honoured) {
    SnipletSite site;
    site.serveCatalogue("direct.snp");
    SnipletSite proxy(L"proxy-site");
    proxy.serveCatalogue("via-proxy.snp");
    const auto proxyPort = readFileBytes(windowsPath(Suite::option(L"proxy-port-file")));
    require(proxyPort.has_value(), "no port file of the proxy");
    const std::string port = proxyPort->substr(0, proxyPort->find_first_of("\r\n"));
    const UserProxyOverride useProxy("127.0.0.1:" + port);

    SnipfetchRun window;
    window.getList();
    window.checkRows({L"via-proxy.snp"});
    site.checkRequests({});
    // Wine writes the request line in origin form when proxy and server share
    // an address, so the proof is where the request went, not how it reads.
    const auto requests = proxy.requests();
    check(requests.size() == 1 && requests[0].ends_with("/Sniplets/Sniplets.txt"),
          "the proxy was asked for the catalogue");
    window.close();
}

} // namespace
