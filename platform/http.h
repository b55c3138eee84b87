// A synchronous HTTP GET that hands back a whole body, or why it failed. A body
// counts only when it is whole: status 200 and exactly the Content-Length's bytes.
#pragma once

#include "platform/byte_sink.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class HttpFailure {
    none,
    badUrl,        // not an http:// or https:// URL we can take apart
    unreachable,   // name not resolved, connection refused or not made
    timedOut,      // no connection, or no data for 30 s
    tooSlow,       // fewer than 1,024 bytes in some 30 s of the body
    broken,        // the connection broke while the response came in
    insecure,      // https: the certificate was refused, or no secure channel was made
    badRedirect,   // a redirect from https to http, to another scheme, or past the 10th
    badStatus,     // a response whose status is not 200
    lengthUnknown, // no Content-Length, so a body cut short could not be told apart
    badFraming,    // Content-Lengths that differ, a transfer coding or a content coding
    shortBody,     // fewer bytes than the response's Content-Length announced
    tooLarge,      // more than the caller's limit
    notStored,     // the sink refused the bytes (error: the OS error)
};

struct HttpResult {
    HttpFailure failure = HttpFailure::none;
    int status = 0; // the response's status, when one arrived
    // The OS error behind badUrl, unreachable, timedOut, broken, insecure, badRedirect, notStored.
    unsigned long error = 0;
    unsigned long long received = 0; // body bytes taken before the end or the failure
    std::string body;                // get() only: the whole body when ok()
    bool ok() const { return failure == HttpFailure::none; }
};

// One line for logs and test output: "bad status 404", "timed out (error 12002)" ...
std::wstring describe(const HttpResult& result);

// A client for a run of requests: later requests to the same scheme, host and
// port reuse the connection. Honours the user's proxy settings, never answers
// from a cache, follows redirects, but never from https to http nor to another
// scheme. Over https the system checks the certificate in full (its chain to a
// trusted root, its name, its dates), and only TLS 1.2 and 1.3 are spoken.
// Connecting and each wait for data are limited to 30 s, and a body must bring
// at least 1,024 bytes in every 30 s.
//
// While a request is under way the calling thread waits, but its windows keep
// painting and answering sent messages; user input and posted messages wait in
// the queue until the request is over, and commands sent to a window are posted
// behind them.
class HttpClient {
public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // The whole body in memory, failing with tooLarge beyond `limit` bytes.
    // url: "http[s]://host[:port]/path", already percent-encoded.
    HttpResult get(const std::wstring& url, std::size_t limit);
    // The body handed to `sink` as it arrives, kept nowhere else. On failure the
    // sink may have taken part of it.
    HttpResult get(const std::wstring& url, ByteSink& sink);

private:
    struct Session;
    std::unique_ptr<Session> session_;
};

// Up to `lanes` streamed GETs side by side, each on a connection of its own that
// stays open for the lane's next request; each as HttpClient::get(url, sink),
// and the caller waits for them the same way.
class HttpTransfers {
public:
    explicit HttpTransfers(std::size_t lanes);
    // Cancels what still runs (as cancel()) without waiting for it.
    ~HttpTransfers();
    HttpTransfers(const HttpTransfers&) = delete;
    HttpTransfers& operator=(const HttpTransfers&) = delete;

    // Starts a transfer of url into sink on a free lane; tag names it in next().
    // False when every lane is busy.
    bool start(std::size_t tag, const std::wstring& url, ByteSink& sink);

    struct Ended {
        std::size_t tag;
        HttpResult result;
    };
    // Waits until one of the running transfers ends; nothing when none runs.
    std::optional<Ended> next();

    // Stops the transfer as soon as it can: from the return on it hands its sink
    // nothing more (so the sink may go), and next() does not report it. A lane
    // blocked on a silent server frees itself once its time limit is up.
    void cancel(std::size_t tag);

private:
    struct Lane; // outlives the transfers when it was let go while busy
    std::size_t lanes_;
    std::vector<Lane*> running_;
    std::vector<Lane*> idle_;
    // What the window shows from the first wait to the end of the transfers.
    struct Waiting;
    std::unique_ptr<Waiting> waiting_;
};

} // namespace platform
