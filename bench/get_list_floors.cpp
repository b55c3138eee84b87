// The floors under Get List, measured apart: a bare listing loop over the
// sniplet folder (FindFirstFileExW with large fetches, FindNextFileW, nothing
// kept) and a bare fetch of the catalogue with the same HTTP client into memory.
// Usage: get_list_floors <host[:port]> <sniplet folder>
#include "platform/http.h"
#include "snipfetch/sniplet_url.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Entries the loop saw, "." and ".." included; 0 for a missing folder.
unsigned long long listFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    unsigned long long entries = 0;
    do {
        ++entries;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: get_list_floors <host[:port]> <sniplet folder>\n", stderr);
        return 2;
    }
    auto start = Clock::now();
    const auto entries = listFolder(argv[2]);
    const double listSeconds = secondsSince(start);

    start = Clock::now();
    platform::HttpClient http;
    const auto response = http.get(snipfetch::catalogueUrl(argv[1]), 64u << 20);
    const double fetchSeconds = secondsSince(start);
    if (!response.ok()) {
        std::fprintf(stderr, "catalogue: %ls\n", platform::describe(response).c_str());
        return 1;
    }
    std::printf("RESULT entries=%llu list_seconds=%.3f bytes=%zu fetch_seconds=%.3f\n", entries,
                listSeconds, response.body.size(), fetchSeconds);
    return 0;
}
