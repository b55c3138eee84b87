// Times snipfetch's Get List and Download the way a user starts them: from the
// click to the moment the handler is done (for Download, the Notice is up).
// One measurement per run; bench/snipfetch_bench.sh runs it and makes the table.
//   --case=bench.get_list --program=<exe> --folder=<prepared folder> --rows=<rows expected>
//   --case=bench.download --program=<exe> --rows=<rows to check and download>
//   --case=bench.tip --program=<exe> --ranges-log=<the server's ranges.log>: from a row
//       getting the focus to its tip's text, and the head fetches that 100 presses
//       of Down at the fastest key repeat start (rows of bench/snipfetch_bench.py's
//       tip site: "Sniplet <n>", "by Bench", "Row <n> of the benchmark.")
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/list_view.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
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

// The text of the program's shown tooltip, or nothing.
std::wstring shownTipText(const SnipfetchRun& window) {
    for (HWND candidate : topLevelWindows(window.processId())) {
        if (hasClass(candidate, L"tooltips_class32") && IsWindowVisible(candidate)) {
            return windowText(candidate);
        }
    }
    return {};
}

std::wstring tipOfRow(int row) {
    const auto n = std::to_wstring(row);
    return L"Sniplet " + n + L"\r\nby Bench\r\nRow " + n + L" of the benchmark.";
}

std::size_t headRequests() {
    const auto log = readFileBytes(windowsPath(Suite::option(L"ranges-log"))).value_or("");
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n'));
}

// Polls every millisecond: the figure is a few tens of milliseconds.
bool tipShowsRow(const SnipfetchRun& window, int row) {
    const auto wanted = tipOfRow(row);
    const Stopwatch clock;
    while (clock.elapsed() < milliseconds(10000)) {
        if (shownTipText(window) == wanted) {
            return true;
        }
        Sleep(1);
    }
    return false;
}

E2E_CASE(bench, tip) {
    constexpr int timedRows = 10;
    constexpr int runThrough = 100;
    // Windows' fastest key repeat is about 30 a second.
    constexpr DWORD repeatMilliseconds = 33;
    SnipfetchRun window;
    window.getList(longest);
    require(rowCount(window.list()) > timedRows + runThrough, "the list is too short");
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    window.clickRow(0);
    require(tipShowsRow(window, 0), "the first row's tip");

    std::vector<double> times;
    for (int row = 1; row <= timedRows; ++row) {
        const Stopwatch clock;
        pressKey(window.list(), VK_DOWN);
        require(tipShowsRow(window, row), "the tip of row " + std::to_string(row));
        times.push_back(
            static_cast<double>(
                std::chrono::duration_cast<std::chrono::microseconds>(clock.elapsed()).count()) /
            1000);
    }
    std::sort(times.begin(), times.end());

    const auto before = headRequests();
    for (int press = 0; press < runThrough; ++press) {
        pressKey(window.list(), VK_DOWN);
        Sleep(repeatMilliseconds);
    }
    const int last = timedRows + runThrough;
    require(tipShowsRow(window, last), "the tip of the row the run ended on");
    const auto fetches = headRequests() - before;
    result("tip_median_ms=" + std::to_string(times[times.size() / 2]) + " tip_max_ms=" +
           std::to_string(times.back()) + " fetches_100_rows=" + std::to_string(fetches));
    window.close();
}

} // namespace
