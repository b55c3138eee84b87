#include "tests/e2e/snipfetch/sniplet_site.h"

#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"

#include <windows.h>

#include <algorithm>

namespace snipfetch_e2e {

using namespace e2e;

SnipletSite::SnipletSite(std::wstring_view option) : root_(windowsPath(Suite::option(option))) {
    require(removeAll(sniplets()), "could not empty " + describe(sniplets()));
    require(removeAll(root_ + L"\\requests.log"), "could not remove the request log");
    for (const auto* log : {L"\\hostile.log", L"\\ranges.log", L"\\sent.log"}) {
        require(removeAll(root_ + log), "could not remove " + describe(root_ + log));
    }
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

void SnipletSite::clearMarkers(std::wstring_view name) {
    for (const auto* marker :
         {L".status", L".cut", L".hang", L".redirect", L".chunked", L".nolength", L".trickle",
          L".stall", L".delay", L".after", L".huge", L".hostile", L".kept", L".norange"}) {
        const auto path = sniplets() + L"\\" + std::wstring(name) + marker;
        require(removeAll(path), "could not remove " + describe(path));
    }
}

std::vector<std::string> SnipletSite::hostileVerdicts(unsigned seed) const {
    std::vector<std::string> verdicts;
    const auto log = readFileBytes(root_ + L"\\hostile.log").value_or("");
    const auto prefix = std::to_string(seed) + " ";
    for (std::size_t start = 0, end; start < log.size(); start = end + 1) {
        end = std::min(log.find('\n', start), log.size());
        const auto line = log.substr(start, end - start);
        if (line.starts_with(prefix)) {
            verdicts.push_back(line.substr(line.rfind(' ') + 1));
        }
    }
    return verdicts;
}

std::string SnipletSite::keptBody(std::wstring_view name) const {
    return readFileBytes(sniplets() + L"\\" + std::wstring(name) + L".kept").value_or("");
}

std::vector<std::string> SnipletSite::requests() const {
    return logLines(L"requests.log");
}

std::vector<std::string> SnipletSite::logLines(std::wstring_view name) const {
    std::vector<std::string> lines;
    const auto log = readFileBytes(root_ + L"\\" + std::wstring(name));
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

bool SnipletSite::checkRequestsInAnyOrder(std::vector<std::string> expected,
                                          std::source_location where) const {
    auto actual = requests();
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    return checkEqual(actual, expected, "the paths the server was asked for, sorted", where);
}

} // namespace snipfetch_e2e
