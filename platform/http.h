// A synchronous HTTP GET that hands back the whole body, or why it failed.
#pragma once

#include <memory>
#include <string>

namespace platform {

enum class HttpFailure {
    none,
    badUrl,      // not an http:// URL we can take apart
    unreachable, // name not resolved, connection refused or not made
    timedOut,    // no connection or no data within the time limit
    broken,      // the connection broke while the response came in
    badStatus,   // a response whose status is not 2xx
    shortBody,   // fewer bytes than the response's Content-Length announced
};

struct HttpResult {
    HttpFailure failure = HttpFailure::none;
    int status = 0;          // the response's status, when one arrived
    unsigned long error = 0; // the OS error behind badUrl, unreachable, timedOut, broken
    std::string body;        // the whole body; only meaningful when ok()
    bool ok() const { return failure == HttpFailure::none; }
};

// One line for logs and test output: "bad status 404", "timed out (error 12002)" ...
inline std::wstring describe(const HttpResult& result) {
    const auto withError = [&](const wchar_t* what) {
        return std::wstring(what) + L" (error " + std::to_wstring(result.error) + L")";
    };
    switch (result.failure) {
    case HttpFailure::none:
        return L"ok, status " + std::to_wstring(result.status);
    case HttpFailure::badUrl:
        return withError(L"bad URL");
    case HttpFailure::unreachable:
        return withError(L"unreachable");
    case HttpFailure::timedOut:
        return withError(L"timed out");
    case HttpFailure::broken:
        return withError(L"connection broken");
    case HttpFailure::badStatus:
        return L"bad status " + std::to_wstring(result.status);
    case HttpFailure::shortBody:
        return L"body cut short after " + std::to_wstring(result.body.size()) + L" bytes";
    }
    return L"unknown failure";
}

// A client for a run of requests: later requests to the same host reuse the
// connection. Honours the user's proxy settings, never answers from a cache,
// follows redirects; connecting and each wait for data are limited to 30 s.
class HttpClient {
public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // url: "http://host[:port]/path", already percent-encoded.
    HttpResult get(const std::wstring& url);

private:
    struct Session;
    std::unique_ptr<Session> session_;
};

} // namespace platform
