// snipfetch against servers that are too slow: one that takes the request and
// never answers, one that stops halfway through a file, one that trickles. Each
// transfer gives up within its limits and the user sees the Error message.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/list_view.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

E2E_CASE(timeout, catalogue_that_never_comes) {
    SnipletSite site;
    site.serveCatalogue("a.snp");
    SnipfetchRun window;
    window.getList();
    checkEqual(static_cast<long long>(rowCount(window.list())), 1, "rows before the stall");

    site.hang(L"Sniplets.txt");
    const Stopwatch clock;
    window.getList(milliseconds{90000});
    window.expectMessage(L"Error", text::listError, BoxIcon::Stop);
    const double seconds = clock.seconds();
    note("the Error message came after " + std::to_string(seconds) + " s");
    check(seconds >= 25 && seconds <= 45, "the transfer gave up after about 30 s");
    checkEqual(static_cast<long long>(rowCount(window.list())), 1, "rows kept after the stall");
    window.close();
}

// Two windows side by side, each with an older copy of its file: one file stops
// halfway (30 s of silence), the other comes at 4 bytes a second (too slow).
E2E_CASE(timeout, slow_files_keep_the_older_copy) {
    SnipletSite site;
    site.serveCatalogue("stall.snp\r\ntrickle.snp");
    site.serve(L"stall.snp", std::string(2000, 's'));
    site.stallHalfway(L"stall.snp");
    site.serve(L"trickle.snp", std::string(2000, 't'));
    site.trickle(L"trickle.snp", 4, 1.0);

    SnipfetchRun stalled(CaseFolder(L"snipfetch\\stall_halfway").path());
    SnipfetchRun trickled(CaseFolder(L"snipfetch\\trickle").path());
    // Listed while the folders lack them; then an older copy arrives in each.
    stalled.getList();
    trickled.getList();
    stalled.clickCheckBox(0);
    trickled.clickCheckBox(1);
    for (auto* window : {&stalled, &trickled}) {
        window->placeSniplet(L"stall.snp", "older stall");
        window->placeSniplet(L"trickle.snp", "older trickle");
    }

    const Stopwatch clock;
    clickButton(stalled.control(L"cmdDownload"));
    clickButton(trickled.control(L"cmdDownload"));
    for (auto* window : {&stalled, &trickled}) {
        window->waitForIdle(milliseconds{90000});
        window->expectMessage(L"Error", text::downloadError, BoxIcon::Stop);
        const double seconds = clock.seconds();
        note("the Error message was up after " + std::to_string(seconds) + " s");
        check(seconds <= 45, "the transfer gave up within 45 s");
    }
    // The older copies stay.
    checkFile(stalled.sniplet(L"stall.snp"), "older stall");
    checkFile(trickled.sniplet(L"trickle.snp"), "older trickle");
    // Nothing else: no partial file, no staging folder.
    for (auto* window : {&stalled, &trickled}) {
        checkEqual(static_cast<long long>(folderEntries(window->sniplets()).size()), 2,
                   "entries in " + describe(window->sniplets()));
        window->close();
    }
}

} // namespace
