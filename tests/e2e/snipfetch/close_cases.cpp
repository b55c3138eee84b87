// Closing snipfetch's window while Download waits on the network: the close box,
// Alt+F4 and WM_CLOSE each end the program at once, with the folder as if the
// file in flight had never been asked for.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/driver/wait.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <functional>

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

struct CloseWay {
    const wchar_t* folder;
    const char* what;
    std::function<void(HWND)> close;
};

E2E_CASE(close, during_download_ends_the_program) {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nslow.snp");
    site.serve(L"a.snp", "a");
    site.serve(L"slow.snp", std::string(2000, 's'));
    site.stallHalfway(L"slow.snp");
    const CloseWay ways[] = {
        {L"snipfetch\\close_message", "WM_CLOSE",
         [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }},
        {L"snipfetch\\close_sent", "a sent WM_CLOSE",
         [](HWND window) {
             DWORD_PTR answer = 0;
             SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 2000, &answer);
         }},
        {L"snipfetch\\close_box", "the close box",
         [](HWND window) { PostMessageW(window, WM_NCLBUTTONDOWN, HTCLOSE, 0); }},
        {L"snipfetch\\close_alt_f4", "Alt+F4",
         [](HWND window) {
             const HWND focus = focusedWindow(window);
             constexpr LPARAM altHeld = 1 << 29;
             PostMessageW(focus, WM_SYSKEYDOWN, VK_MENU, altHeld | 1);
             PostMessageW(focus, WM_SYSKEYDOWN, VK_F4, altHeld | 1);
         }},
    };
    for (const auto& way : ways) {
        SnipfetchRun window(CaseFolder(way.folder).path());
        window.getList();
        window.placeSniplet(L"slow.snp", "older copy");
        window.clickCheckBox(0);
        window.clickCheckBox(1);
        clickButton(window.control(L"cmdDownload"));
        const auto staging =
            window.sniplets() + L"\\~staging-" + std::to_wstring(window.processId());
        // a.snp in place, slow.snp on its way.
        require(waitUntil(
                    [&] {
                        return GetFileAttributesW(window.sniplet(L"a.snp").c_str()) !=
                                   INVALID_FILE_ATTRIBUTES &&
                               folderEntries(staging).size() == 1;
                    },
                    milliseconds{10000}),
                std::string("no file in flight before ") + way.what);

        const Stopwatch clock;
        way.close(window.window());
        checkEqual(static_cast<long long>(window.waitForExit(milliseconds{5000})), 0LL,
                   std::string("exit code after ") + way.what);
        check(clock.elapsed() <= milliseconds{1000},
              std::string("the program ends within 1 s of ") + way.what);
        checkEntries(window.sniplets(), {L"a.snp", L"slow.snp"});
        checkFile(window.sniplet(L"a.snp"), "a");
        checkFile(window.sniplet(L"slow.snp"), "older copy");
    }
}

} // namespace
