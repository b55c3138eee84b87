#include "tests/e2e/snipfetch/sniplet_site.h"

#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"

#include <windows.h>

namespace snipfetch_e2e {

using namespace e2e;

SnipletSite::SnipletSite(std::wstring_view option) : root_(windowsPath(Suite::option(option))) {
    require(removeAll(sniplets()), "could not empty " + describe(sniplets()));
    require(removeAll(root_ + L"\\requests.log"), "could not remove the request log");
    CreateDirectoryW(root_.c_str(), nullptr);
    require(CreateDirectoryW(sniplets().c_str(), nullptr) != 0,
            "could not make " + describe(sniplets()));
}

void SnipletSite::serve(std::wstring_view name, std::string_view bytes) {
    writeFileBytes(sniplets() + L"\\" + std::wstring(name), bytes);
}

void SnipletSite::mark(std::wstring_view name, std::wstring_view marker, std::string_view content) {
    writeFileBytes(sniplets() + L"\\" + std::wstring(name) + std::wstring(marker), content);
}

void SnipletSite::answerStatus(std::wstring_view name, int status) {
    mark(name, L".status", std::to_string(status));
}

void SnipletSite::cutShort(std::wstring_view name) {
    mark(name, L".cut", "");
}

void SnipletSite::hang(std::wstring_view name) {
    mark(name, L".hang", "");
}

void SnipletSite::chunked(std::wstring_view name, bool whole) {
    mark(name, L".chunked", whole ? "whole" : "cut");
}

void SnipletSite::withoutLength(std::wstring_view name) {
    mark(name, L".nolength", "");
}

void SnipletSite::trickle(std::wstring_view name, int bytes, double seconds) {
    mark(name, L".trickle", std::to_string(bytes) + " " + std::to_string(seconds));
}

void SnipletSite::stallHalfway(std::wstring_view name) {
    mark(name, L".stall", "");
}

void SnipletSite::delay(std::wstring_view name, double seconds) {
    mark(name, L".delay", std::to_string(seconds));
}

void SnipletSite::huge(std::wstring_view name, long long length) {
    mark(name, L".huge", std::to_string(length));
}

void SnipletSite::redirect(std::wstring_view name, std::string_view path) {
    mark(name, L".redirect", path);
}

void SnipletSite::clearMarkers(std::wstring_view name) {
    for (const auto* marker : {L".status", L".cut", L".hang", L".redirect", L".chunked",
                               L".nolength", L".trickle", L".stall", L".delay", L".huge"}) {
        const auto path = sniplets() + L"\\" + std::wstring(name) + marker;
        require(removeAll(path), "could not remove " + describe(path));
    }
}

std::vector<std::string> SnipletSite::requests() const {
    std::vector<std::string> lines;
    const auto log = readFileBytes(root_ + L"\\requests.log");
    if (!log) {
        return lines;
    }
    std::size_t start = 0;
    while (start < log->size()) {
        const auto end = log->find('\n', start);
        lines.push_back(log->substr(start, end == std::string::npos ? end : end - start));
        start = end == std::string::npos ? log->size() : end + 1;
    }
    return lines;
}

bool SnipletSite::checkRequests(const std::vector<std::string>& expected,
                                std::source_location where) const {
    return checkEqual(requests(), expected, "the paths the server was asked for", where);
}

} // namespace snipfetch_e2e
