// The folder that the test's sniplet server serves (sniplet_server.py), set up
// by each case: the catalogue, sniplet files, and markers that make the server
// answer a path with an error status, a body cut short, or not at all.
#pragma once

#include <source_location>
#include <string>
#include <string_view>
#include <vector>

namespace snipfetch_e2e {

class SnipletSite {
public:
    // The folder given by --<option>=<Unix or Windows path>, emptied.
    explicit SnipletSite(std::wstring_view option = L"site");

    const std::wstring& root() const { return root_; }

    // <root>\Sniplets\<name> holds these bytes; "Sniplets.txt" is the catalogue.
    void serve(std::wstring_view name, std::string_view bytes);
    void serveCatalogue(std::string_view bytes) { serve(L"Sniplets.txt", bytes); }
    // The server answers the name with this status and an error page.
    void answerStatus(std::wstring_view name, int status) {
        mark(name, L".status", std::to_string(status));
    }
    // The server announces the whole length, sends half the body and closes.
    void cutShort(std::wstring_view name) { mark(name, L".cut", ""); }
    // The server takes the request and never answers.
    void hang(std::wstring_view name) { mark(name, L".hang", ""); }
    // The server sends the body in chunks, all of them or half and then closes.
    void chunked(std::wstring_view name, bool whole) {
        mark(name, L".chunked", whole ? "whole" : "cut");
    }
    // The server sends the body with no Content-Length and closes.
    void withoutLength(std::wstring_view name) { mark(name, L".nolength", ""); }
    // The server sends `bytes` bytes of the body every `seconds`.
    void trickle(std::wstring_view name, int bytes, double seconds) {
        mark(name, L".trickle", std::to_string(bytes) + " " + std::to_string(seconds));
    }
    // The server sends half the body, then nothing more, holding the connection.
    void stallHalfway(std::wstring_view name) { mark(name, L".stall", ""); }
    // The server answers the name only once each of these paths ("/Sniplets/a.snp")
    // has been asked for, or after 10 s.
    void answerAfter(std::wstring_view name, std::string_view paths) {
        mark(name, L".after", paths);
    }
    // The server waits that long before it answers.
    void delay(std::wstring_view name, double seconds) {
        mark(name, L".delay", std::to_string(seconds));
    }
    // The server announces this length and sends that many zero bytes.
    void huge(std::wstring_view name, long long length) {
        mark(name, L".huge", std::to_string(length));
    }
    // The server ignores a Range header and sends the whole file (a 200).
    void ignoreRange(std::wstring_view name) { mark(name, L".norange", ""); }
    // The server answers 302 with this path as the new location.
    void redirect(std::wstring_view name, std::string_view path) { mark(name, L".redirect", path); }
    // The server answers each request for the name at random (hostile_answers.py),
    // from this seed.
    void hostile(std::wstring_view name, unsigned seed) {
        mark(name, L".hostile", std::to_string(seed));
    }
    // What each answer of that seed was, in order: "whole", "redirect" or "bad".
    std::vector<std::string> hostileVerdicts(unsigned seed) const;
    // The body of the name's last whole hostile answer.
    std::string keptBody(std::wstring_view name) const;
    // The name is served plainly again.
    void clearMarkers(std::wstring_view name);

    // Every path requested without a Range header since the site was made, as
    // it came ("/Sniplets/a%20b.snp").
    std::vector<std::string> requests() const;
    // The requests with a Range header: "<path> <range>" ("/Sniplets/a.snp bytes=0-4095").
    std::vector<std::string> rangeRequests() const { return logLines(L"ranges.log"); }
    // For each answer that ignored a range: "<path> sent <bytes> of <length>",
    // written once the client took it all or went away.
    std::vector<std::string> ignoredRanges() const { return logLines(L"sent.log"); }
    bool checkRequests(const std::vector<std::string>& expected,
                       std::source_location where = std::source_location::current()) const;
    // The same paths, each as often, in whatever order (transfers that run side by side).
    bool
    checkRequestsInAnyOrder(std::vector<std::string> expected,
                            std::source_location where = std::source_location::current()) const;

private:
    std::wstring root_;
    std::vector<std::string> logLines(std::wstring_view log) const;
    std::wstring sniplets() const { return root_ + L"\\Sniplets"; }
    void mark(std::wstring_view name, std::wstring_view marker, std::string_view content);
};

} // namespace snipfetch_e2e
