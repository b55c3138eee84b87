// HttpClient on WinHTTP: its timeouts take effect (WinINet ignores its connect
// timeout), and one session keeps the connection to a host alive between requests.
//
// Requests go out as HTTP/1.0, so that a server frames the body with a
// Content-Length and never in chunks: Wine's WinHTTP reads a chunked body whose
// connection closes before the last chunk as if it had ended, and nothing it
// hands back tells the two apart. A Content-Length can be checked.
#include "platform/http.h"

#include "platform/low_speed_limit.h"
#include "platform/win32/background_thread.h"
#include "platform/win32/http_handle.h"
#include "platform/win32/http_proxy.h"
#include "platform/win32/module_path.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <chrono>
#include <new>

namespace platform {

namespace {

constexpr DWORD timeoutMilliseconds = 30000;
// At least this much of a body in every span of the silence timeout's length.
constexpr std::uint64_t lowSpeedBytes = 1024;
constexpr auto lowSpeedSpan = std::chrono::milliseconds(timeoutMilliseconds);
constexpr DWORD readChunk = 64 * 1024;

HttpResult failed(HttpFailure failure, DWORD error) {
    HttpResult result;
    result.failure = failure;
    result.error = error;
    return result;
}

// A WinHTTP call failed: what that means for the caller.
HttpResult transferFailed(DWORD error) {
    switch (error) {
    case ERROR_WINHTTP_TIMEOUT:
    case WSAETIMEDOUT: // what Wine reports for a response that never comes
        return failed(HttpFailure::timedOut, error);
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case WSAECONNREFUSED:
        return failed(HttpFailure::unreachable, error);
    case ERROR_WINHTTP_INVALID_URL:
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
        return failed(HttpFailure::badUrl, error);
    default:
        return failed(HttpFailure::broken, error);
    }
}

HttpResult lastCallFailed() {
    return transferFailed(GetLastError());
}

std::wstring programName() {
    const std::wstring path = win32::modulePath();
    if (path.empty()) {
        return L"program";
    }
    auto name = path.substr(path.find_last_of(L"\\/") + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

struct UrlParts {
    std::wstring host;
    INTERNET_PORT port = 0;
    bool secure = false;
    std::wstring pathAndQuery;
};

bool crack(const std::wstring& url, UrlParts& parts) {
    URL_COMPONENTS components{};
    components.dwStructSize = sizeof(components);
    components.dwHostNameLength = static_cast<DWORD>(-1);
    components.dwUrlPathLength = static_cast<DWORD>(-1);
    components.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &components)) {
        return false;
    }
    parts.host.assign(components.lpszHostName, components.dwHostNameLength);
    parts.port = components.nPort;
    parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    parts.pathAndQuery.assign(components.lpszUrlPath, components.dwUrlPathLength);
    parts.pathAndQuery.append(components.lpszExtraInfo, components.dwExtraInfoLength);
    if (parts.pathAndQuery.empty()) {
        parts.pathAndQuery = L"/";
    }
    return !parts.host.empty();
}

// The response's Content-Length, when it has one we can read.
bool contentLength(HINTERNET request, unsigned long long& length) {
    wchar_t text[32] = {};
    DWORD size = sizeof(text);
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX,
                             text, &size, WINHTTP_NO_HEADER_INDEX)) {
        return false;
    }
    length = 0;
    bool anyDigit = false;
    for (const wchar_t* c = text; *c; ++c) {
        if (*c < L'0' || *c > L'9' || length > (~0ULL - 9) / 10) {
            return false;
        }
        length = length * 10 + static_cast<unsigned>(*c - L'0');
        anyDigit = true;
    }
    return anyDigit;
}

// The body kept in memory, up to a limit.
class MemorySink final : public ByteSink {
public:
    MemorySink(std::string& body, std::size_t limit) : body_(body), limit_(limit) {}

    Status append(std::string_view bytes) override {
        if (bytes.size() > limit_ - body_.size()) {
            overLimit = true;
            return Status{ERROR_NOT_ENOUGH_MEMORY};
        }
        try {
            body_.append(bytes);
        } catch (const std::bad_alloc&) {
            return Status{ERROR_NOT_ENOUGH_MEMORY};
        }
        return Status{};
    }

    bool overLimit = false;

private:
    std::string& body_;
    std::size_t limit_;
};

} // namespace

struct HttpClient::Session {
    InternetHandle session;
    HttpProxy proxy;
    InternetHandle connection; // to the host of the last request, kept for the next
    std::wstring connectedHost;
    INTERNET_PORT connectedPort = 0;
    win32::BackgroundThread worker; // every WinHTTP call of this client runs there

    DWORD open() {
        session.reset(openProxiedSession(programName(), proxy));
        if (!session) {
            return GetLastError();
        }
        if (!WinHttpSetTimeouts(session.get(), static_cast<int>(timeoutMilliseconds),
                                static_cast<int>(timeoutMilliseconds),
                                static_cast<int>(timeoutMilliseconds),
                                static_cast<int>(timeoutMilliseconds))) {
            return GetLastError();
        }
        // Waiting for the response headers has a limit of its own (90 s by default).
        DWORD headerTimeout = timeoutMilliseconds;
        WinHttpSetOption(session.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headerTimeout,
                         sizeof(headerTimeout));
        return 0;
    }

    HINTERNET connectionTo(const UrlParts& parts) {
        if (!connection || parts.host != connectedHost || parts.port != connectedPort) {
            connection.reset(WinHttpConnect(session.get(), parts.host.c_str(), parts.port, 0));
            connectedHost = parts.host;
            connectedPort = parts.port;
        }
        return connection.get();
    }

    // The request and its response, on the worker thread.
    HttpResult transfer(const std::wstring& url, ByteSink& sink, unsigned long long limit);
    HttpResult readBody(HINTERNET request, unsigned long long length, ByteSink& sink);
};

HttpResult HttpClient::Session::transfer(const std::wstring& url, ByteSink& sink,
                                         unsigned long long limit) {
    if (!session) {
        if (const DWORD error = open()) {
            session.reset();
            return failed(HttpFailure::unreachable, error);
        }
    }
    UrlParts parts;
    if (!crack(url, parts)) {
        return failed(HttpFailure::badUrl, GetLastError());
    }
    const HINTERNET connected = connectionTo(parts);
    if (!connected) {
        return lastCallFailed();
    }

    // REFRESH: no proxy may answer from its cache. The path is already encoded.
    const DWORD flags = WINHTTP_FLAG_REFRESH | WINHTTP_FLAG_ESCAPE_DISABLE |
                        WINHTTP_FLAG_ESCAPE_DISABLE_QUERY |
                        (parts.secure ? WINHTTP_FLAG_SECURE : 0);
    const InternetHandle request(WinHttpOpenRequest(connected, L"GET", parts.pathAndQuery.c_str(),
                                                    L"HTTP/1.0", WINHTTP_NO_REFERER,
                                                    WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
    if (!request) {
        return lastCallFailed();
    }
    if (!proxy.applyTo(session.get(), request.get(), url)) {
        return lastCallFailed();
    }
    if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.get(), nullptr)) {
        return lastCallFailed();
    }

    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                             WINHTTP_NO_HEADER_INDEX)) {
        return lastCallFailed();
    }
    HttpResult result;
    result.status = static_cast<int>(status);
    // Only a 200 carries the whole file: not 204 (no content), not 206 (a part).
    if (status != 200) {
        result.failure = HttpFailure::badStatus;
        return result;
    }
    unsigned long long length = 0;
    if (!contentLength(request.get(), length)) {
        result.failure = HttpFailure::lengthUnknown;
        return result;
    }
    if (length > limit) {
        result.failure = HttpFailure::tooLarge;
        return result;
    }
    auto body = readBody(request.get(), length, sink);
    body.status = result.status;
    return body;
}

// Reads what has arrived, never waiting for more than one receive: each wait is
// bounded by the silence timeout, and the speed is judged between waits.
HttpResult HttpClient::Session::readBody(HINTERNET request, unsigned long long length,
                                         ByteSink& sink) {
    HttpResult result;
    std::string buffer(readChunk, '\0');
    LowSpeedLimit speed(lowSpeedBytes, lowSpeedSpan, LowSpeedLimit::Clock::now());
    const auto stop = [&](HttpResult failure) {
        failure.received = result.received;
        return failure;
    };
    for (;;) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available)) {
            return stop(lastCallFailed());
        }
        if (available == 0) {
            break;
        }
        DWORD read = 0;
        if (!WinHttpReadData(request, buffer.data(), std::min(available, readChunk), &read)) {
            return stop(lastCallFailed());
        }
        if (read == 0) {
            break;
        }
        if (const Status stored = sink.append(std::string_view(buffer.data(), read));
            !stored.ok()) {
            return stop(failed(HttpFailure::notStored, stored.error));
        }
        result.received += read;
        if (!speed.keepsUp(LowSpeedLimit::Clock::now(), result.received)) {
            result.failure = HttpFailure::tooSlow;
            return result;
        }
    }
    if (result.received != length) {
        result.failure = HttpFailure::shortBody;
    }
    return result;
}

HttpClient::HttpClient() : session_(std::make_unique<Session>()) {}
HttpClient::~HttpClient() = default;

HttpResult HttpClient::get(const std::wstring& url, ByteSink& sink) {
    HttpResult result;
    session_->worker.run([&] { result = session_->transfer(url, sink, ~0ULL); });
    return result;
}

HttpResult HttpClient::get(const std::wstring& url, std::size_t limit) {
    std::string body;
    MemorySink sink(body, limit);
    HttpResult result;
    session_->worker.run([&] { result = session_->transfer(url, sink, limit); });
    if (result.failure == HttpFailure::notStored && sink.overLimit) {
        result.failure = HttpFailure::tooLarge;
        result.error = 0;
    }
    if (result.ok()) {
        result.body = std::move(body);
    }
    return result;
}

} // namespace platform
