// Times snipfetch's Get List and Download the way a user starts them: from the
// click to the moment the handler is done (for Download, the Notice is up).
// One measurement per run; bench/snipfetch_bench.sh runs it and makes the table.
//   --case=bench.get_list --program=<exe> --folder=<prepared folder> --rows=<rows expected>
//   --case=bench.download --program=<exe> --rows=<rows to check and download>
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/list_view.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace e2e;
using namespace snipfetch_e2e;

namespace {

constexpr milliseconds longest{600000};

int rowsOption() {
    return std::stoi(Suite::option(L"rows"));
}

// The program's peak working set so far.
unsigned long long peakMemory(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    require(process != nullptr, "cannot open the program's process");
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const bool ok = GetProcessMemoryInfo(process, &counters, sizeof counters) != 0;
    CloseHandle(process);
    require(ok, "cannot read the program's memory use");
    return counters.PeakWorkingSetSize;
}

void result(const std::string& fields) {
    std::printf("RESULT %s\n", fields.c_str());
    std::fflush(stdout);
}

E2E_CASE(bench, get_list) {
    const auto folder = windowsPath(Suite::option(L"folder"));
    SnipfetchRun window(folder);
    const auto before = peakMemory(window.processId());
    const Stopwatch clock;
    window.getList(longest);
    const double seconds = clock.seconds();
    window.expectNoMessage();
    checkEqual(rowCount(window.list()), rowsOption(), "rows listed");
    const auto peak = peakMemory(window.processId());
    result("seconds=" + std::to_string(seconds) + " peak_bytes=" + std::to_string(peak) +
           " start_peak_bytes=" + std::to_string(before));
    window.close();
}

E2E_CASE(bench, download) {
    const int rows = rowsOption();
    SnipfetchRun window;
    window.getList(longest);
    require(rowCount(window.list()) == rows, "the list does not hold the rows to download");
    for (int row = 0; row < rows; ++row) {
        setRowChecked(window.list(), row, true);
    }
    window.waitForIdle();
    const auto checks = rowChecks(window.list());
    require(std::count(checks.begin(), checks.end(), true) == rows, "not every row is checked");

    const auto before = peakMemory(window.processId());
    const Stopwatch clock;
    window.click(L"cmdDownload", longest);
    const double seconds = clock.seconds();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkEqual(static_cast<long long>(folderEntries(window.sniplets()).size()), rows,
               "files downloaded");
    result("seconds=" + std::to_string(seconds) +
           " peak_bytes=" + std::to_string(peakMemory(window.processId())) +
           " start_peak_bytes=" + std::to_string(before));
    window.close();
}

} // namespace
