// snipfetch against a server that takes the request and never answers: the
// transfer gives up after its 30 s limit and the user sees the Error message.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/snipfetch/list_view.h"
#include "tests/e2e/snipfetch/snipfetch_window.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <chrono>

using namespace e2e;
using namespace snipfetch_e2e;

namespace {

void catalogueThatNeverComes() {
    SnipletSite site;
    site.serveCatalogue("a.snp");
    SnipfetchWindow window(L"timeout");
    window.getList();
    checkEqual(static_cast<long long>(rowCount(window.list())), 1, "rows before the stall");

    site.hang(L"Sniplets.txt");
    const auto start = std::chrono::steady_clock::now();
    window.getList(milliseconds{90000});
    window.expectMessage(L"Error", text::listError, BoxIcon::Stop);
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    note("the Error message came after " + std::to_string(seconds) + " s");
    check(seconds >= 25 && seconds <= 45, "the transfer gave up after about 30 s");
    checkEqual(static_cast<long long>(rowCount(window.list())), 1, "rows kept after the stall");
    window.close();
}

} // namespace

int main() {
    Suite suite("snipfetch_timeout");
    suite.add("catalogue_that_never_comes", catalogueThatNeverComes);
    return suite.run();
}
