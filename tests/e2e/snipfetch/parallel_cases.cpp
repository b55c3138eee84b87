// Download with transfers side by side: the first failure in list order counts,
// as if the files had come one at a time.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <algorithm>

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

// The first file is slow, the second is missing, and the server tells so only
// once the third and the fourth have been asked for: the first still comes and
// is put in place, and nothing below the second is written. One at a time, the
// third and the fourth would never be asked for.
E2E_CASE(parallel, failure_finishes_the_files_above_and_writes_none_below) {
    SnipletSite site;
    site.serveCatalogue("one.snp\r\ntwo.snp\r\nthree.snp\r\nfour.snp\r\nfive.snp");
    site.serve(L"one.snp", "1");
    site.delay(L"one.snp", 1.5);
    site.answerStatus(L"two.snp", 404);
    site.answerAfter(L"two.snp", "/Sniplets/three.snp /Sniplets/four.snp");
    for (const auto* name : {L"three.snp", L"four.snp", L"five.snp"}) {
        site.serve(name, "new");
    }
    SnipfetchRun window;
    window.getList();
    for (int row = 0; row < 5; ++row) {
        window.clickCheckBox(row);
    }
    window.placeSniplet(L"three.snp", "earlier three");
    window.download();
    window.expectMessage(L"Error", text::downloadError, BoxIcon::Stop);
    checkFile(window.sniplet(L"one.snp"), "1");
    checkFile(window.sniplet(L"three.snp"), "earlier three");
    checkEntries(window.sniplets(), {L"one.snp", L"three.snp"});
    const auto asked = site.requests();
    for (const char* path : {"/Sniplets/three.snp", "/Sniplets/four.snp"}) {
        check(std::count(asked.begin(), asked.end(), path) == 1,
              std::string(path) + " was asked for while the first file was on its way");
    }
    window.close();
}

} // namespace
