// snipfetch under Wine against a real HTTP server on 127.0.0.1: its window, Get
// List and Download as a user drives them, and what ends up on disk.
#include "snipfetch/download_window_layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/expected_layout.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipfetch/list_view.h"
#include "tests/e2e/snipfetch/proxy_setting.h"
#include "tests/e2e/snipfetch/snipfetch_window.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <source_location>

using namespace e2e;
using namespace snipfetch_e2e;

namespace {

using Names = std::vector<std::wstring>;
using Requests = std::vector<std::string>;

const std::wstring cafe = L"Caf\u00E9.snp";

void checkRows(const SnipfetchWindow& window, const Names& expected,
               std::source_location where = std::source_location::current()) {
    const auto rows = window.rows();
    std::string shown;
    for (const auto& row : rows) {
        shown.append(" ").append(describe(row));
    }
    check(rows == expected, "the list holds" + shown, where);
}

void checkChecks(const SnipfetchWindow& window, const std::vector<bool>& expected,
                 std::source_location where = std::source_location::current()) {
    const auto checks = window.checks();
    std::string shown;
    for (bool checked : checks) {
        shown += checked ? " checked" : " clear";
    }
    check(checks == expected, "the rows' boxes are" + shown, where);
}

void checkRequests(const SnipletSite& site, const Requests& expected,
                   std::source_location where = std::source_location::current()) {
    const auto requests = site.requests();
    std::string shown;
    for (const auto& request : requests) {
        shown.append(" ").append(request);
    }
    check(requests == expected, "the server was asked for" + shown, where);
}

void checkEntries(const std::wstring& folder, Names expected,
                  std::source_location where = std::source_location::current()) {
    std::sort(expected.begin(), expected.end());
    const auto entries = folderEntries(folder);
    std::string shown;
    for (const auto& entry : entries) {
        shown.append(" ").append(describe(entry));
    }
    check(entries == expected, describe(folder) + " holds" + shown, where);
}

void checkFile(const std::wstring& path, std::string_view expected,
               std::source_location where = std::source_location::current()) {
    const auto bytes = readFileBytes(path);
    if (check(bytes.has_value(), describe(path) + " exists", where)) {
        checkEqualBytes(*bytes, expected, describe(path), where);
    }
}

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
    SnipfetchWindow window(L"layout_" + std::to_wstring(dpi), dpi);
    const auto layout = snipfetch::downloadWindowLayout();

    checkEqual(windowText(window.form()), L"snipfetch", "caption");
    const SIZE client = clientSize(window.form());
    const SIZE expected = expectedClientSize(layout, dpi);
    checkEqual(client.cx, expected.cx, "client width");
    checkEqual(client.cy, expected.cy, "client height");
    const auto style = GetWindowLongW(window.form(), GWL_STYLE);
    check((style & WS_SYSMENU) && (style & WS_CAPTION), "the window has a caption and close box");
    check(!(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)),
          "the window has no minimise or maximise box and a fixed border");

    HWND frame = findControl(window.form(), L"Button", expectedClientRect(layout, L"Frame1", dpi));
    checkEqual(windowText(frame), L"snipfetch", "caption of Frame1");
    checkEqual(windowText(window.getListButton()), L"Get List", "caption of cmdGetList");
    checkEqual(windowText(window.downloadButton()), L"Download", "caption of cmdDownload");
    for (HWND button : {window.getListButton(), window.downloadButton()}) {
        check((GetWindowLongW(button, GWL_STYLE) & 0x0F) == BS_PUSHBUTTON,
              "the buttons are plain push buttons, neither is the default");
    }
    for (HWND control : {window.list(), window.getListButton(), window.downloadButton(), frame}) {
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
    check(waitUntil([&] { return focusedWindow(window.form()) == window.list(); }),
          "the list has the focus at start");
    pressKey(window.list(), VK_TAB);
    check(waitUntil([&] { return focusedWindow(window.form()) == window.getListButton(); }),
          "Tab moves to Get List");
    pressKey(window.form(), VK_TAB);
    check(waitUntil([&] { return focusedWindow(window.form()) == window.downloadButton(); }),
          "Tab moves on to Download");
    // No cancel button: Esc leaves the window up.
    pressKey(window.form(), VK_ESCAPE);
    window.waitUntilIdle();
    check(IsWindow(window.form()) && IsWindowVisible(window.form()),
          "Esc does not close the window");
    window.expectNoMessage();

    checkRequests(site, {});
    window.close();
}

void getListWithoutFolder() {
    SnipletSite site;
    site.serveCatalogue("b.snp\r\n a.snp \r\nb.snp\r\nMy Tools.snp\r\n");
    SnipfetchWindow window(L"without_folder");
    window.getList();
    window.expectNoMessage();
    // Spaces trimmed, duplicates kept, and the empty entry after the last CR LF is no row.
    checkRows(window, {L"b.snp", L"a.snp", L"b.snp", L"My Tools.snp"});
    checkChecks(window, {false, false, false, false});
    check(!fileExists(window.sniplets()), "Get List made no Sniplets folder");
    checkRequests(site, {"/Sniplets/Sniplets.txt"});
    window.close();
}

void getListSkipsPresentFiles() {
    SnipletSite site;
    site.serveCatalogue("have.snp\r\nCaf\xC3\xA9.snp\r\nro.snp\r\nhidden.snp\r\nsystem.snp\r\n"
                        "dir.snp\r\nnew.snp\r\n");
    SnipfetchWindow window(L"present_files");
    const auto sniplets = window.sniplets();
    require(CreateDirectoryW(sniplets.c_str(), nullptr) != 0, "could not make the folder");
    writeFileBytes(sniplets + L"\\HAVE.SNP", "x");
    writeFileBytes(sniplets + L"\\CAF\u00C9.SNP", "x");
    writeFileBytes(sniplets + L"\\ro.snp", "x");
    setReadOnly(sniplets + L"\\ro.snp", true);
    writeFileBytes(sniplets + L"\\hidden.snp", "x");
    SetFileAttributesW((sniplets + L"\\hidden.snp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    writeFileBytes(sniplets + L"\\system.snp", "x");
    SetFileAttributesW((sniplets + L"\\system.snp").c_str(), FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryW((sniplets + L"\\dir.snp").c_str(), nullptr);

    window.getList();
    window.expectNoMessage();
    // Letter case does not count; hidden and system files and folders are no sniplets.
    checkRows(window, {L"hidden.snp", L"system.snp", L"dir.snp", L"new.snp"});
    // A second press replaces the rows.
    window.getList();
    checkRows(window, {L"hidden.snp", L"system.snp", L"dir.snp", L"new.snp"});
    window.close();
}

void nothingNewShowsTheNotice() {
    SnipletSite site;
    site.serveCatalogue("x.snp");
    SnipfetchWindow window(L"nothing_new");
    window.getList();
    checkRows(window, {L"x.snp"});

    CreateDirectoryW(window.sniplets().c_str(), nullptr);
    writeFileBytes(window.sniplets() + L"\\a.snp", "x");
    site.serveCatalogue("a.snp\r\n");
    window.getList();
    window.expectMessage(L"Notice", text::noNewAddIns, BoxIcon::Information);
    checkRows(window, {});

    site.serveCatalogue("");
    window.getList();
    window.expectMessage(L"Notice", text::noNewAddIns, BoxIcon::Information);
    window.close();
}

void traversalNamesAreSkipped() {
    SnipletSite site;
    site.serveCatalogue("..\\evil.snp\r\n../evil.snp\r\nC:\\evil.snp\r\nnul.snp\r\n..\r\n"
                        "sub/evil.snp\r\nevil\xE2\x80\xAEpns.exe\r\nCONOUT$.snp\r\n"
                        "COM\xC2\xB9.snp\r\n" +
                        std::string(300, 'x') + ".snp\r\nok.snp\r\n");
    site.serve(L"ok.snp", "ok");
    SnipfetchWindow window(L"traversal");
    window.getList();
    window.expectNoMessage();
    checkRows(window, {L"ok.snp"});
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkEntries(window.sniplets(), {L"ok.snp"});
    checkEntries(window.folder(), {L"Sniplets", programFileName()});
    const auto parent = window.folder().substr(0, window.folder().rfind(L'\\'));
    check(!fileExists(parent + L"\\evil.snp"), "no evil.snp beside the case folder");
    check(!fileExists(L"C:\\evil.snp"), "no C:\\evil.snp");
    checkRequests(site, {"/Sniplets/Sniplets.txt", "/Sniplets/ok.snp"});
    window.close();
}

void downloadStoresCheckedRowsByteForByte() {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp\r\nMy Tools.snp\r\nCaf\xC3\xA9.snp");
    site.serve(L"a.snp", binaryBody());
    site.serve(L"b.snp", "b");
    site.serve(L"My Tools.snp", "Sniplet File\r\ntools\r\n");
    site.serve(cafe, "caf\xC3\xA9");
    SnipfetchWindow window(L"byte_for_byte");
    window.getList();
    checkRows(window, {L"a.snp", L"b.snp", L"My Tools.snp", cafe});

    // A click on a box toggles it; on the keyboard Down moves and Space toggles.
    window.clickCheckBox(0);
    window.clickCheckBox(1);
    window.clickCheckBox(1);
    checkChecks(window, {true, false, false, false});
    window.clickRow(0);
    require(focusedWindow(window.form()) == window.list(), "the list has the focus");
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
    window.waitUntilIdle();
    checkChecks(window, {true, false, true, true});

    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplets() + L"\\a.snp", binaryBody());
    checkFile(window.sniplets() + L"\\My Tools.snp", "Sniplet File\r\ntools\r\n");
    checkFile(window.sniplets() + L"\\" + cafe, "caf\xC3\xA9");
    checkEntries(window.sniplets(), {L"a.snp", L"My Tools.snp", cafe});
    checkRequests(site, {"/Sniplets/Sniplets.txt", "/Sniplets/a.snp", "/Sniplets/My%20Tools.snp",
                         "/Sniplets/Caf%C3%A9.snp"});
    // The list stays as it was, checks and all.
    checkRows(window, {L"a.snp", L"b.snp", L"My Tools.snp", cafe});
    checkChecks(window, {true, false, true, true});

    // Again: the same files fetched and written again.
    site.serve(L"a.snp", "second");
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplets() + L"\\a.snp", "second");
    checkEqual(static_cast<long long>(site.requests().size()), 7, "requests after two downloads");

    // The next Get List leaves out what is there now.
    window.getList();
    checkRows(window, {L"b.snp"});
    window.close();
}

void downloadWithNothingChecked() {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp");
    SnipfetchWindow window(L"nothing_checked");
    window.download();
    window.expectMessage(L"Notice", text::selectOne, BoxIcon::Information);
    const DWORD attributes = GetFileAttributesW(window.sniplets().c_str());
    check(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
          "Download made the Sniplets folder");
    window.getList();
    window.download();
    window.expectMessage(L"Notice", text::selectOne, BoxIcon::Information);
    checkEntries(window.sniplets(), {});
    checkRequests(site, {"/Sniplets/Sniplets.txt"});
    window.close();
}

void failedCatalogueKeepsTheRows() {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp");
    SnipfetchWindow window(L"catalogue_failures");
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

    checkRows(window, {L"a.snp", L"b.snp"});
    checkChecks(window, {false, true});
    window.close();
}

// Three rows checked, the second fails: the first is stored, the earlier file
// of the second stays whole, the third is never fetched.
void failureInTheMiddle(const std::wstring& caseName, void (*breakSecond)(SnipletSite&)) {
    SnipletSite site;
    site.serveCatalogue("one.snp\r\ntwo.snp\r\nthree.snp");
    site.serve(L"one.snp", "1");
    site.serve(L"two.snp", std::string(4096, 't'));
    site.serve(L"three.snp", "3");
    SnipfetchWindow window(caseName);
    window.getList();
    for (int row = 0; row < 3; ++row) {
        window.clickCheckBox(row);
    }
    CreateDirectoryW(window.sniplets().c_str(), nullptr);
    writeFileBytes(window.sniplets() + L"\\two.snp", "earlier two");
    breakSecond(site);
    window.download();
    window.expectMessage(L"Error", text::downloadError, BoxIcon::Stop);
    checkFile(window.sniplets() + L"\\one.snp", "1");
    checkFile(window.sniplets() + L"\\two.snp", "earlier two");
    // No partial file, no temporary file, no third file.
    checkEntries(window.sniplets(), {L"one.snp", L"two.snp"});
    checkRequests(site, {"/Sniplets/Sniplets.txt", "/Sniplets/one.snp", "/Sniplets/two.snp"});
    window.close();
}

void longerEarlierFileIsReplaced() {
    SnipletSite site;
    site.serveCatalogue("a.snp");
    site.serve(L"a.snp", "short body");
    SnipfetchWindow window(L"longer_earlier_file");
    window.getList();
    window.clickCheckBox(0);
    CreateDirectoryW(window.sniplets().c_str(), nullptr);
    writeFileBytes(window.sniplets() + L"\\a.snp", std::string(1000, 'L'));
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplets() + L"\\a.snp", "short body");
    checkEntries(window.sniplets(), {L"a.snp"});
    window.close();
}

void fileInTheWayOfTheFolder() {
    SnipletSite site;
    site.serveCatalogue("a.snp");
    site.serve(L"a.snp", "a");
    SnipfetchWindow window(L"file_in_the_way");
    writeFileBytes(window.sniplets(), "in the way");
    window.getList();
    checkRows(window, {L"a.snp"});
    window.download(); // nothing checked yet
    window.expectMessage(L"Notice", text::selectOne, BoxIcon::Information);
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Error", text::downloadError, BoxIcon::Stop);
    checkFile(window.sniplets(), "in the way");
    checkEntries(window.folder(), {L"Sniplets", programFileName()});
    window.close();
}

void redirectIsFollowed() {
    SnipletSite site;
    site.serveCatalogue("moved.snp");
    site.redirect(L"moved.snp", "/Sniplets/target.snp");
    site.serve(L"target.snp", "moved here");
    SnipfetchWindow window(L"redirect");
    window.getList();
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplets() + L"\\moved.snp", "moved here");
    checkEntries(window.sniplets(), {L"moved.snp"});
    window.close();
}

// Presses Get List against a catalogue that takes `seconds` to come, and returns
// once the handler is waiting for it.
void getListThatWaits(SnipfetchWindow& window, SnipletSite& site, double seconds) {
    site.delay(L"Sniplets.txt", seconds);
    const auto asked = site.requests().size();
    clickButton(window.getListButton());
    require(waitUntil([&] { return site.requests().size() > asked; }),
            "the catalogue was not asked for");
}

// The Notice of a Download with nothing checked comes up only after Get List
// has filled the list: the click waited for the running handler.
void expectDownloadRanAfterGetList(SnipfetchWindow& window, const Names& rows) {
    const auto box = waitForMessageBox(window.processId(), milliseconds{20000});
    checkEqual(box.text, text::selectOne, "the message of the waiting Download");
    checkRows(window, rows);
    answer(box, button::ok);
    window.waitUntilIdle();
    window.expectNoMessage();
}

void windowAnswersWhileItWaits() {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp");
    SnipfetchWindow window(L"answers_while_waiting");
    const auto start = std::chrono::steady_clock::now();
    getListThatWaits(window, site, 8);

    // What is uncovered or invalidated is painted while the handler waits.
    require(InvalidateRect(window.form(), nullptr, TRUE) != 0, "could not invalidate the window");
    check(waitUntil([&] { return !GetUpdateRect(window.form(), nullptr, FALSE); }),
          "the window repainted during the wait");
    // A click posted now waits in the queue until Get List is over.
    clickButton(window.downloadButton());
    Sleep(static_cast<DWORD>(std::max<long long>(
        0, 6000 - std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start)
                      .count())));
    check(!IsHungAppWindow(window.form()), "the window is not hung 6 s into the wait");
    check(rowCount(window.list()) == 0, "Get List is still waiting at 6 s");
    expectDownloadRanAfterGetList(window, {L"a.snp", L"b.snp"});

    // A button pressed through a sent message, as an accessibility tool does:
    // the program answers at once, and the command runs after the handler.
    site.serveCatalogue("c.snp");
    getListThatWaits(window, site, 3);
    DWORD_PTR answered = 0;
    check(SendMessageTimeoutW(window.downloadButton(), BM_CLICK, 0, 0, SMTO_NORMAL, 2000,
                              &answered) != 0,
          "a message sent during the wait is answered");
    expectDownloadRanAfterGetList(window, {L"c.snp"});
    window.close();
}

// Killed in the middle of a Download, the program leaves a staging folder with
// a partial file; the next Download in that folder removes it, and leaves alone
// what a program that still runs is using.
void killedDownloadLeavesNothingBehind() {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nslow.snp");
    site.serve(L"a.snp", "a");
    site.serve(L"slow.snp", std::string(2000, 's'));
    site.stallHalfway(L"slow.snp");
    const std::wstring folder = CaseFolder(L"snipfetch\\killed").path();
    SnipfetchWindow running(Suite::option(L"program"),
                            CaseFolder(L"snipfetch\\killed_other").path(), 96);
    const auto runningId = std::to_wstring(running.processId());
    wchar_t runningHex[16];
    swprintf(runningHex, 16, L"%lx", running.processId());
    const std::wstring sniplets = folder + L"\\Sniplets";
    std::wstring killedStaging;
    {
        SnipfetchWindow killed(Suite::option(L"program"), folder, 96);
        killed.getList();
        killed.clickCheckBox(0);
        killed.clickCheckBox(1);
        clickButton(killed.downloadButton());
        killedStaging = sniplets + L"\\~staging-" + std::to_wstring(killed.processId());
        require(waitUntil([&] { return folderEntries(killedStaging).size() == 1; },
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
    SnipfetchWindow resumed(Suite::option(L"program"), folder, 96);
    resumed.getList();
    checkRows(resumed, {L"slow.snp"});
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

void proxySettingsAreHonoured() {
    SnipletSite site;
    site.serveCatalogue("direct.snp");
    SnipletSite proxy(L"proxy-site");
    proxy.serveCatalogue("via-proxy.snp");
    const auto proxyPort = readFileBytes(windowsPath(Suite::option(L"proxy-port-file")));
    require(proxyPort.has_value(), "no port file of the proxy");
    const std::string port = proxyPort->substr(0, proxyPort->find_first_of("\r\n"));
    const UserProxyOverride useProxy("127.0.0.1:" + port);

    SnipfetchWindow window(L"proxy");
    window.getList();
    checkRows(window, {L"via-proxy.snp"});
    checkRequests(site, {});
    // Wine writes the request line in origin form when proxy and server share
    // an address, so the proof is where the request went, not how it reads.
    const auto requests = proxy.requests();
    check(requests.size() == 1 && requests[0].ends_with("/Sniplets/Sniplets.txt"),
          "the proxy was asked for the catalogue");
    window.close();
}

} // namespace

int main() {
    Suite suite("snipfetch");
    suite.add("window_at_96_dpi", [] { windowAsDesigned(96); });
    suite.add("window_at_144_dpi", [] { windowAsDesigned(144); });
    suite.add("get_list_without_folder", getListWithoutFolder);
    suite.add("get_list_skips_present_files", getListSkipsPresentFiles);
    suite.add("nothing_new_shows_the_notice", nothingNewShowsTheNotice);
    suite.add("traversal_names_are_skipped", traversalNamesAreSkipped);
    suite.add("download_stores_checked_rows_byte_for_byte", downloadStoresCheckedRowsByteForByte);
    suite.add("download_with_nothing_checked", downloadWithNothingChecked);
    suite.add("failed_catalogue_keeps_the_rows", failedCatalogueKeepsTheRows);
    suite.add("missing_file_in_the_middle", [] {
        failureInTheMiddle(L"missing_in_the_middle",
                           [](SnipletSite& site) { site.answerStatus(L"two.snp", 404); });
    });
    suite.add("cut_body_in_the_middle", [] {
        failureInTheMiddle(L"cut_in_the_middle",
                           [](SnipletSite& site) { site.cutShort(L"two.snp"); });
    });
    suite.add("chunked_body_cut_in_the_middle", [] {
        failureInTheMiddle(L"chunked_cut_in_the_middle",
                           [](SnipletSite& site) { site.chunked(L"two.snp", false); });
    });
    suite.add("no_content_in_the_middle", [] {
        failureInTheMiddle(L"no_content_in_the_middle",
                           [](SnipletSite& site) { site.answerStatus(L"two.snp", 204); });
    });
    suite.add("partial_content_in_the_middle", [] {
        failureInTheMiddle(L"partial_content_in_the_middle",
                           [](SnipletSite& site) { site.answerStatus(L"two.snp", 206); });
    });
    suite.add("window_answers_while_it_waits", windowAnswersWhileItWaits);
    suite.add("killed_download_leaves_nothing_behind", killedDownloadLeavesNothingBehind);
    suite.add("longer_earlier_file_is_replaced", longerEarlierFileIsReplaced);
    suite.add("file_in_the_way_of_the_folder", fileInTheWayOfTheFolder);
    suite.add("redirect_is_followed", redirectIsFollowed);
    suite.add("proxy_settings_are_honoured", proxySettingsAreHonoured);
    return suite.run();
}
