// The Win32 services under snipfetch, under Wine: the HTTP client against the
// test's sniplet server, and storing a file whole or not at all.
#include "platform/http.h"
#include "platform/store_file.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <windows.h>

using namespace e2e;
using namespace snipfetch_e2e;

namespace {

std::wstring siteUrl(std::wstring_view path) {
    return L"http://127.0.0.1:" + Suite::option(L"site-port") + L"/Sniplets/" + std::wstring(path);
}

void checkFailure(const platform::HttpResult& result, platform::HttpFailure expected, int status,
                  std::string_view what) {
    check(result.failure == expected && result.status == status,
          std::string(what) + ": " + utf8(platform::describe(result)));
}

void httpAnswers() {
    SnipletSite site;
    const std::string binary("\0\r\n\xFF\x80 body\r\n\0", 12);
    site.serve(L"a.snp", binary);
    site.serve(L"My Tools.snp", "tools");
    site.serve(L"cut.snp", std::string(1000, 'c'));
    site.cutShort(L"cut.snp");
    site.answerStatus(L"error.snp", 500);
    site.redirect(L"moved.snp", "/Sniplets/a.snp");

    platform::HttpClient http;
    const auto a = http.get(siteUrl(L"a.snp"));
    if (check(a.ok(), "a.snp: " + utf8(platform::describe(a)))) {
        checkEqualBytes(a.body, binary, "body of a.snp");
        checkEqual(a.status, 200, "status of a.snp");
    }
    const auto spaced = http.get(siteUrl(L"My%20Tools.snp"));
    check(spaced.ok() && spaced.body == "tools",
          "My%20Tools.snp: " + utf8(platform::describe(spaced)));
    const auto moved = http.get(siteUrl(L"moved.snp"));
    check(moved.ok() && moved.body == binary, "a redirect is followed");
    checkFailure(http.get(siteUrl(L"missing.snp")), platform::HttpFailure::badStatus, 404,
                 "a missing file");
    checkFailure(http.get(siteUrl(L"error.snp")), platform::HttpFailure::badStatus, 500,
                 "a server error");
    checkFailure(http.get(siteUrl(L"cut.snp")), platform::HttpFailure::shortBody, 200,
                 "a body cut short");
    // The client goes on after failures, and the server saw each path as sent.
    check(http.get(siteUrl(L"a.snp")).ok(), "a.snp again after the failures");
    const auto requests = site.requests();
    check(requests.size() == 8 && requests[1] == "/Sniplets/My%20Tools.snp",
          "the server saw the encoded path unchanged");

    // Port 1 on the loopback: nothing listens, the connection is refused at once.
    checkFailure(http.get(L"http://127.0.0.1:1/Sniplets/a.snp"), platform::HttpFailure::unreachable,
                 0, "a refused connection");
    checkFailure(http.get(L"not a url"), platform::HttpFailure::badUrl, 0, "a malformed URL");
}

void checkNoTemporaryFiles(const std::wstring& folder) {
    for (const auto& name : folderEntries(folder)) {
        check(!name.starts_with(L"~"), "a temporary file is left: " + describe(name));
    }
}

void storeFileWholeOrNotAtAll() {
    const CaseFolder folder(L"snipfetch\\store_file");
    const auto path = folder / L"a.snp";

    check(platform::storeFile(path, "new").ok(), "a new file is stored");
    checkEqualBytes(readFileBytes(path).value_or("<missing>"), "new", "the new file");

    writeFileBytes(path, std::string(5000, 'L'));
    check(platform::storeFile(path, "short").ok(), "a longer file is replaced");
    checkEqualBytes(readFileBytes(path).value_or("<missing>"), "short", "no tail is left");

    const auto hidden = folder / L"hidden.snp";
    writeFileBytes(hidden, "old");
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    check(platform::storeFile(hidden, "visible").ok(), "a hidden file is replaced");
    checkEqualBytes(readFileBytes(hidden).value_or("<missing>"), "visible", "the hidden file");
    check((GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN) == 0,
          "the stored file is an ordinary file");

    const auto readOnly = folder / L"ro.snp";
    writeFileBytes(readOnly, "kept");
    setReadOnly(readOnly, true);
    checkEqual(static_cast<long long>(platform::storeFile(readOnly, "x").error),
               ERROR_ACCESS_DENIED, "a read-only file is refused");
    checkEqualBytes(readFileBytes(readOnly).value_or("<missing>"), "kept", "the read-only file");
    setReadOnly(readOnly, false);

    CreateDirectoryW((folder / L"dir.snp").c_str(), nullptr);
    check(!platform::storeFile(folder / L"dir.snp", "x").ok(), "a folder is not replaced");
    check(!platform::storeFile(folder / L"missing\\a.snp", "x").ok(),
          "a file in a missing folder fails");
    // A file standing where the folder should be.
    writeFileBytes(folder / L"Sniplets", "in the way");
    check(!platform::storeFile(folder / L"Sniplets\\a.snp", "x").ok(), "a file under a file fails");
    checkEqualBytes(readFileBytes(folder / L"Sniplets").value_or("<missing>"), "in the way",
                    "the file in the way");
    checkNoTemporaryFiles(folder.path());
}

} // namespace

int main() {
    Suite suite("snipfetch_platform");
    suite.add("http_answers", httpAnswers);
    suite.add("store_file_whole_or_not_at_all", storeFileWholeOrNotAtAll);
    return suite.run();
}
