// The Win32 services under snipfetch, under Wine: the HTTP client against the
// test's sniplet server, and writing files whole or not at all.
#include "platform/folder_writer.h"
#include "platform/http.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <windows.h>

#include <future>
#include <vector>

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

std::wstring siteUrl(std::wstring_view path) {
    return L"http://127.0.0.1:" + Suite::option(L"site-port") + L"/Sniplets/" + std::wstring(path);
}

void checkFailure(const platform::HttpResult& result, platform::HttpFailure expected, int status,
                  std::string_view what) {
    check(result.failure == expected && result.status == status,
          std::string(what) + ": " + utf8(platform::describe(result)));
}

constexpr std::size_t anyLength = 1 << 20;

// Every piece a body arrived in, in order.
class Pieces final : public platform::ByteSink {
public:
    platform::Status append(std::string_view bytes) override {
        pieces.emplace_back(bytes);
        return {};
    }
    std::string joined() const {
        std::string all;
        for (const auto& piece : pieces) {
            all += piece;
        }
        return all;
    }
    std::vector<std::string> pieces;
};

E2E_CASE(platform, http_answers) {
    SnipletSite site;
    const std::string binary("\0\r\n\xFF\x80 body\r\n\0", 12);
    site.serve(L"a.snp", binary);
    site.serve(L"My Tools.snp", "tools");
    site.serve(L"cut.snp", std::string(1000, 'c'));
    site.cutShort(L"cut.snp");
    site.answerStatus(L"error.snp", 500);
    site.redirect(L"moved.snp", "/Sniplets/a.snp");

    platform::HttpClient http;
    const auto a = http.get(siteUrl(L"a.snp"), anyLength);
    if (check(a.ok(), "a.snp: " + utf8(platform::describe(a)))) {
        checkEqualBytes(a.body, binary, "body of a.snp");
        checkEqual(a.status, 200, "status of a.snp");
    }
    const auto spaced = http.get(siteUrl(L"My%20Tools.snp"), anyLength);
    check(spaced.ok() && spaced.body == "tools",
          "My%20Tools.snp: " + utf8(platform::describe(spaced)));
    const auto moved = http.get(siteUrl(L"moved.snp"), anyLength);
    check(moved.ok() && moved.body == binary, "a redirect is followed");
    checkFailure(http.get(siteUrl(L"missing.snp"), anyLength), platform::HttpFailure::badStatus,
                 404, "a missing file");
    checkFailure(http.get(siteUrl(L"error.snp"), anyLength), platform::HttpFailure::badStatus, 500,
                 "a server error");
    checkFailure(http.get(siteUrl(L"cut.snp"), anyLength), platform::HttpFailure::shortBody, 200,
                 "a body cut short");
    // The client goes on after failures, and the server saw each path as sent.
    check(http.get(siteUrl(L"a.snp"), anyLength).ok(), "a.snp again after the failures");
    const auto requests = site.requests();
    check(requests.size() == 8 && requests[1] == "/Sniplets/My%20Tools.snp",
          "the server saw the encoded path unchanged");

    // Port 1 on the loopback: nothing listens, the connection is refused at once.
    checkFailure(http.get(L"http://127.0.0.1:1/Sniplets/a.snp", anyLength),
                 platform::HttpFailure::unreachable, 0, "a refused connection");
    checkFailure(http.get(L"not a url", anyLength), platform::HttpFailure::badUrl, 0,
                 "a malformed URL");
}

// Only a 200 whose Content-Length was met is a body: a chunked body, or one
// ended by closing the connection, cannot be told apart from one cut short.
E2E_CASE(platform, only_whole_bodies_count) {
    SnipletSite site;
    const std::string body(5000, 'w');
    // 204, 206 and a chunked body cut short are the window cases' (each with an
    // older copy of the file); here what only the client can tell.
    for (const auto* name : {L"chunked.snp", L"unframed.snp", L"huge.snp", L"big.snp"}) {
        site.serve(name, body);
    }
    site.chunked(L"chunked.snp", true);
    site.withoutLength(L"unframed.snp");
    site.huge(L"huge.snp", 65LL << 20);

    platform::HttpClient http;
    using platform::HttpFailure;
    checkFailure(http.get(siteUrl(L"chunked.snp"), anyLength), HttpFailure::badFraming, 200,
                 "a chunked body, even a whole one");
    checkFailure(http.get(siteUrl(L"unframed.snp"), anyLength), HttpFailure::lengthUnknown, 200,
                 "a body ended by closing");
    // An announced length beyond the limit fails before the body is read.
    checkFailure(http.get(siteUrl(L"huge.snp"), 64u << 20), HttpFailure::tooLarge, 200,
                 "a body longer than the limit");
    checkFailure(http.get(siteUrl(L"big.snp"), 4999), HttpFailure::tooLarge, 200,
                 "a body one byte over the limit");
    const auto fits = http.get(siteUrl(L"big.snp"), 5000);
    check(fits.ok() && fits.body == body, "a body of exactly the limit");

    // Streamed: the bytes reach the sink as they come and are kept nowhere else.
    const std::string large(3 << 20, 's');
    site.serve(L"streamed.snp", large);
    Pieces pieces;
    const auto streamed = http.get(siteUrl(L"streamed.snp"), pieces);
    check(streamed.ok() && streamed.body.empty() && streamed.received == large.size(),
          "streamed: " + utf8(platform::describe(streamed)));
    check(pieces.joined() == large, "the sink got the whole body");
    check(pieces.pieces.size() > 1,
          "the body came in " + std::to_string(pieces.pieces.size()) + " pieces, not all at once");
}

// Bodies that arrive slowly: a steady slow line finishes; a trickle and a stall
// fail in bounded time. Run side by side, each on its own client.
E2E_CASE(platform, slow_bodies) {
    SnipletSite site;
    site.serve(L"steady.snp", std::string(1750, 's'));
    site.trickle(L"steady.snp", 50, 1.0); // 1,500 bytes in every 30 s, for 35 s
    site.serve(L"trickle.snp", std::string(400, 't'));
    site.trickle(L"trickle.snp", 4, 1.0); // 120 bytes in every 30 s
    site.serve(L"stall.snp", std::string(2000, 'h'));
    site.stallHalfway(L"stall.snp");

    // Each fetch on a thread and a client of its own; its result and seconds taken.
    const auto fetch = [](const wchar_t* name) {
        return std::async(std::launch::async, [name] {
            const Stopwatch clock;
            Pieces pieces;
            auto result = platform::HttpClient().get(siteUrl(name), pieces);
            const double seconds = clock.seconds();
            note(utf8(name) + ": " + utf8(platform::describe(result)) + " after " +
                 std::to_string(seconds) + " s");
            return std::pair{result, seconds};
        });
    };
    auto steady = fetch(L"steady.snp");
    auto trickle = fetch(L"trickle.snp");
    auto stall = fetch(L"stall.snp");
    const auto steadyResult = steady.get().first;
    const auto [trickleResult, trickleSeconds] = trickle.get();
    const auto [stallResult, stallSeconds] = stall.get();
    check(steadyResult.ok() && steadyResult.received == 1750, "the steady slow line finished");
    check(trickleResult.failure == platform::HttpFailure::tooSlow && trickleSeconds < 45,
          "the trickle failed as too slow within 45 s");
    check(stallResult.failure == platform::HttpFailure::timedOut && stallResult.received == 1000 &&
              stallSeconds < 45,
          "the stall halfway timed out within 45 s");
}

E2E_CASE(platform, folder_writer_writes_whole_or_not_at_all) {
    const CaseFolder folder(L"snipfetch\\folder_writer");
    const auto path = folder / L"a.snp";
    const auto hidden = folder / L"hidden.snp";
    const auto readOnly = folder / L"ro.snp";
    {
        platform::FolderWriter writer(folder.path());
        check(writer.write(L"a.snp", "new").ok(), "a new file is written");
        checkFile(path, "new");

        writeFileBytes(path, std::string(5000, 'L'));
        check(writer.write(L"a.snp", "short").ok(), "a longer file is replaced");
        checkFile(path, "short"); // no tail is left
        {
            auto dropped = writer.open(L"a.snp");
            check(dropped.append("part of a new a.snp").ok(), "a streamed file takes bytes");
        }
        // A file dropped before its commit leaves the earlier one.
        checkFile(path, "short");

        writeFileBytes(hidden, "old");
        setAttributes(hidden, FILE_ATTRIBUTE_HIDDEN);
        check(writer.write(L"hidden.snp", "visible").ok(), "a hidden file is replaced");
        checkFile(hidden, "visible");
        check((GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN) == 0,
              "the written file is an ordinary file");

        writeFileBytes(readOnly, "kept");
        setAttributes(readOnly, FILE_ATTRIBUTE_READONLY);
        checkEqual(static_cast<long long>(writer.write(L"ro.snp", "x").error), ERROR_ACCESS_DENIED,
                   "a read-only file is refused");
        checkFile(readOnly, "kept");
        setAttributes(readOnly, FILE_ATTRIBUTE_NORMAL);

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
    checkFile(folder / L"Sniplets", "in the way");
    checkEntries(folder.path(), {L"Sniplets", L"a.snp", L"dir.snp", L"hidden.snp", L"ro.snp"});
}

} // namespace
