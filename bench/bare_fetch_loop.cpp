// Fetches every name of a list with the platform's HttpClient, one connection,
// and writes each body to a plain file: what a download costs without a window.
// Usage: bare_fetch_loop <host[:port]> <file of names, one per line> <output folder>
#include "platform/http.h"
#include "snipfetch/sniplet_url.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::wstring> readNames(const std::wstring& path) {
    std::vector<std::wstring> names;
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            names.emplace_back(line.begin(), line.end()); // the benchmark's names are ASCII
        }
    }
    return names;
}

// A plain file that takes the body as it arrives.
class PlainFile final : public platform::ByteSink {
public:
    explicit PlainFile(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~PlainFile() override { close(); }
    PlainFile(const PlainFile&) = delete;
    PlainFile& operator=(const PlainFile&) = delete;

    platform::Status append(std::string_view bytes) override {
        DWORD written = 0;
        if (file_ == INVALID_HANDLE_VALUE ||
            !WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            return {GetLastError()};
        }
        return {};
    }

    bool close() {
        return file_ != INVALID_HANDLE_VALUE &&
               CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
    }

private:
    HANDLE file_;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: bare_fetch_loop <host[:port]> <names file> <output folder>\n", stderr);
        return 2;
    }
    const std::wstring host = argv[1];
    const auto names = readNames(argv[2]);
    const std::wstring folder = argv[3];
    CreateDirectoryW(folder.c_str(), nullptr);

    const auto start = std::chrono::steady_clock::now();
    platform::HttpClient http;
    for (const auto& name : names) {
        PlainFile file(folder + L"\\" + name);
        const auto response = http.get(snipfetch::snipletUrl(host, name), file);
        if (!response.ok()) {
            std::fprintf(stderr, "%ls: %ls\n", name.c_str(), platform::describe(response).c_str());
            return 1;
        }
        if (!file.close()) {
            std::fprintf(stderr, "%ls: cannot write (error %lu)\n", name.c_str(), GetLastError());
            return 1;
        }
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("files=%zu seconds=%.3f\n", names.size(), seconds.count());
    return 0;
}
