// What per-file steps of a Download cost, each alone, many times over: showing
// the wait pointer over a window and taking it back (each wait on the network
// did it once), the client's handling of redirects on a request (switching
// WinHTTP's own off, then the status and Location lookups on the answer), and
// writing 1,000 files of 4 KiB into a folder, plainly and whole-or-not-at-all
// through the folder writer. Prints microseconds per file.
// Usage: per_file_costs <host:port> <path of a file the server has> <scratch folder>
#include "platform/folder_writer.h"

#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int rounds = 2000;

double microsecondsEach(Clock::time_point start, int count) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

// The wait pointer on and off with the pointer over a shown window, as each wait did.
double waitPointerCost() {
    const HWND window = CreateWindowExW(0, L"STATIC", L"costs", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                        0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    SetCursorPos(100, 100);
    pump();
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        const HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        SetCursor(before);
    }
    const double each = microsecondsEach(start, rounds);
    DestroyWindow(window);
    return each;
}

// One answered request, then the calls the client makes around it for redirects.
double redirectHandlingCost(const std::wstring& host, INTERNET_PORT port,
                            const std::wstring& path) {
    const HINTERNET session = WinHttpOpen(L"per_file_costs", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                          WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    const HINTERNET connection = WinHttpConnect(session, host.c_str(), port, 0);
    const HINTERNET request =
        WinHttpOpenRequest(connection, L"GET", path.c_str(), L"HTTP/1.0", WINHTTP_NO_REFERER,
                           WINHTTP_DEFAULT_ACCEPT_TYPES, WINHTTP_FLAG_REFRESH);
    if (!request ||
        !WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                            0, 0) ||
        !WinHttpReceiveResponse(request, nullptr)) {
        std::fprintf(stderr, "the request failed (error %lu)\n", GetLastError());
        return -1;
    }
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
        WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects,
                         sizeof(noRedirects));
        DWORD status = 0;
        DWORD size = sizeof(status);
        WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                            WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
        size = 0;
        WinHttpQueryHeaders(request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX,
                            WINHTTP_NO_OUTPUT_BUFFER, &size, WINHTTP_NO_HEADER_INDEX);
    }
    const double each = microsecondsEach(start, rounds);
    WinHttpCloseHandle(request);
    WinHttpCloseHandle(connection);
    WinHttpCloseHandle(session);
    return each;
}

constexpr int files = 1000;

std::wstring fileName(int index) {
    return L"file" + std::to_wstring(index) + L".snp";
}

// Each file created, written and closed where it belongs.
double plainFilesCost(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string body(4096, 'x');
    const auto start = Clock::now();
    for (int i = 0; i < files; ++i) {
        const HANDLE file = CreateFileW((folder + L"\\" + fileName(i)).c_str(), GENERIC_WRITE, 0,
                                        nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
        CloseHandle(file);
    }
    return microsecondsEach(start, files);
}

// Each file written to a temporary file in the staging folder, then moved over.
double folderWriterCost(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string body(4096, 'x');
    const auto start = Clock::now();
    {
        platform::FolderWriter writer(folder);
        for (int i = 0; i < files; ++i) {
            if (!writer.write(fileName(i), body).ok()) {
                return -1;
            }
        }
    }
    return microsecondsEach(start, files);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: per_file_costs <host:port> <path> <scratch folder>\n", stderr);
        return 2;
    }
    const std::wstring server = argv[1];
    const auto colon = server.find(L':');
    const auto port = static_cast<INTERNET_PORT>(std::stoi(server.substr(colon + 1)));
    const double redirects = redirectHandlingCost(server.substr(0, colon), port, argv[2]);
    if (redirects < 0) {
        return 1;
    }
    const std::wstring scratch = argv[3];
    CreateDirectoryW(scratch.c_str(), nullptr);
    const double plain = plainFilesCost(scratch + L"\\plain");
    const double staged = folderWriterCost(scratch + L"\\staged");
    std::printf("RESULT wait_pointer_us=%.1f redirect_handling_us=%.1f plain_files_us=%.1f "
                "folder_writer_us=%.1f\n",
                waitPointerCost(), redirects, plain, staged);
    return 0;
}
