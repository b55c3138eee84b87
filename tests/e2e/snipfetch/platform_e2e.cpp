// The Win32 services under snipfetch, under Wine: the HTTP client against the
// test's sniplet server, and writing files whole or not at all.
#include "platform/folder_writer.h"
#include "platform/http.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <windows.h>

#include <source_location>

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

void checkEntries(const std::wstring& folder, const std::vector<std::wstring>& expected,
                  std::source_location where = std::source_location::current()) {
    const auto entries = folderEntries(folder);
    std::string shown;
    for (const auto& entry : entries) {
        shown.append(" ").append(describe(entry));
    }
    check(entries == expected, describe(folder) + " holds" + shown, where);
}

void folderWriterWritesWholeOrNotAtAll() {
    const CaseFolder folder(L"snipfetch\\folder_writer");
    const auto path = folder / L"a.snp";
    const auto hidden = folder / L"hidden.snp";
    const auto readOnly = folder / L"ro.snp";
    {
        platform::FolderWriter writer(folder.path());
        check(writer.write(L"a.snp", "new").ok(), "a new file is written");
        checkEqualBytes(readFileBytes(path).value_or("<missing>"), "new", "the new file");

        writeFileBytes(path, std::string(5000, 'L'));
        check(writer.write(L"a.snp", "short").ok(), "a longer file is replaced");
        checkEqualBytes(readFileBytes(path).value_or("<missing>"), "short", "no tail is left");

        writeFileBytes(hidden, "old");
        SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
        check(writer.write(L"hidden.snp", "visible").ok(), "a hidden file is replaced");
        checkEqualBytes(readFileBytes(hidden).value_or("<missing>"), "visible", "the hidden file");
        check((GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN) == 0,
              "the written file is an ordinary file");

        writeFileBytes(readOnly, "kept");
        setReadOnly(readOnly, true);
        checkEqual(static_cast<long long>(writer.write(L"ro.snp", "x").error), ERROR_ACCESS_DENIED,
                   "a read-only file is refused");
        checkEqualBytes(readFileBytes(readOnly).value_or("<missing>"), "kept",
                        "the read-only file");
        setReadOnly(readOnly, false);

        CreateDirectoryW((folder / L"dir.snp").c_str(), nullptr);
        check(!writer.write(L"dir.snp", "x").ok(), "a folder is not replaced");
        checkEqual(static_cast<long long>(writer.write(L"..\\a.snp", "x").error),
                   ERROR_INVALID_NAME, "a name with a path is refused");
    }
    // The staging folder goes with the writer, and no temporary file is left.
    checkEntries(folder.path(), {L"a.snp", L"dir.snp", L"hidden.snp", L"ro.snp"});

    // A folder that is missing, or a file in its place.
    check(!platform::FolderWriter(folder / L"missing").write(L"a.snp", "x").ok(),
          "a file in a missing folder fails");
    writeFileBytes(folder / L"Sniplets", "in the way");
    check(!platform::FolderWriter(folder / L"Sniplets").write(L"a.snp", "x").ok(),
          "a file under a file fails");
    checkEqualBytes(readFileBytes(folder / L"Sniplets").value_or("<missing>"), "in the way",
                    "the file in the way");
    checkEntries(folder.path(), {L"Sniplets", L"a.snp", L"dir.snp", L"hidden.snp", L"ro.snp"});
}

} // namespace

int main() {
    Suite suite("snipfetch_platform");
    suite.add("http_answers", httpAnswers);
    suite.add("folder_writer_writes_whole_or_not_at_all", folderWriterWritesWholeOrNotAtAll);
    return suite.run();
}
