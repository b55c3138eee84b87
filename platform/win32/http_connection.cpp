// HTTP on WinHTTP: its timeouts take effect (WinINet ignores its connect
// timeout), and one session keeps the connection to a server alive between
// requests. Certificates are left to the system's checks, none of which is ever
// switched off.
//
// Requests go out as HTTP/1.0, so that a server frames the body with a
// Content-Length and never in chunks: Wine's WinHTTP reads a chunked body whose
// connection closes before the last chunk as if it had ended, and nothing it
// hands back tells the two apart. A Content-Length can be checked.
#include "platform/win32/http_connection.h"
#include "platform/decimal_text.h"

#include "platform/body_framing.h"
#include "platform/low_speed_limit.h"
#include "platform/redirect.h"
#include "platform/win32/module_path.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <optional>

namespace platform {

namespace {

constexpr DWORD timeoutMilliseconds = 30000;
// At least this much of a body in every span of the silence timeout's length.
constexpr std::uint64_t lowSpeedBytes = 1024;
constexpr auto lowSpeedSpan = std::chrono::milliseconds(timeoutMilliseconds);
constexpr DWORD readChunk = 64 * 1024;
// As many as WinHTTP follows by itself.
constexpr int maxRedirects = 10;

#ifndef WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3
#define WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3 0x00002000
#endif

// TLS 1.2 and 1.3, never older. Windows before 11 refuses the 1.3 flag: 1.2 alone
// then. Without 1.2 (Windows 7 lacking KB3140245) the session fails, and with it
// every request.
bool allowOnlyModernTls(HINTERNET session) {
    constexpr DWORD choices[] = {WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 |
                                     WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3,
                                 WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2};
    for (DWORD protocols : choices) {
        if (WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols,
                             sizeof(protocols))) {
            return true;
        }
    }
    return false;
}

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
    // Wine reports every refused certificate as a channel error, Windows as a
    // secure failure (the callback would say which check failed); the rest are
    // the older, more precise codes.
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
    case ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED:
        return failed(HttpFailure::insecure, error);
    case ERROR_WINHTTP_REDIRECT_FAILED:
        return failed(HttpFailure::badRedirect, error);
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
    if (components.nScheme != INTERNET_SCHEME_HTTP && components.nScheme != INTERNET_SCHEME_HTTPS) {
        SetLastError(ERROR_WINHTTP_UNRECOGNIZED_SCHEME);
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

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The text of the header of that kind at `index`, which then moves on to the
// next one of that kind; nothing when there is none.
std::optional<std::wstring> headerValue(HINTERNET request, DWORD query, DWORD& index) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                        &size, &index);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return std::nullopt;
    }
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (!WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &size,
                             &index)) {
        return std::nullopt;
    }
    value.resize(size / sizeof(wchar_t));
    return value;
}

std::optional<std::wstring> locationOf(HINTERNET request) {
    DWORD first = 0;
    return headerValue(request, WINHTTP_QUERY_LOCATION, first);
}

// Every header that frames the body; Content-Length may come more than once.
BodyHeaders bodyHeadersOf(HINTERNET request) {
    constexpr int mostLengths = 16;
    BodyHeaders headers;
    DWORD index = 0;
    while (headers.contentLengths.size() < mostLengths) {
        auto length = headerValue(request, WINHTTP_QUERY_CONTENT_LENGTH, index);
        if (!length) {
            break;
        }
        headers.contentLengths.push_back(*std::move(length));
    }
    DWORD first = 0;
    headers.transferCoded =
        headerValue(request, WINHTTP_QUERY_TRANSFER_ENCODING, first).has_value();
    first = 0;
    headers.contentEncoding =
        headerValue(request, WINHTTP_QUERY_CONTENT_ENCODING, first).value_or(L"");
    return headers;
}

} // namespace

DWORD HttpConnection::open() {
    session.reset(openProxiedSession(programName(), proxy));
    if (!session) {
        return GetLastError();
    }
    if (!allowOnlyModernTls(session.get()) ||
        !WinHttpSetTimeouts(session.get(), static_cast<int>(timeoutMilliseconds),
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

HINTERNET HttpConnection::connectionTo(const std::wstring& host, INTERNET_PORT port, bool secure) {
    if (!connection || secure != connectedSecure || host != connectedHost ||
        port != connectedPort) {
        connection.reset(WinHttpConnect(session.get(), host.c_str(), port, 0));
        connectedSecure = secure;
        connectedHost = host;
        connectedPort = port;
    }
    return connection.get();
}

// Sends the request for url and waits for the response's headers.
HttpResult HttpConnection::send(const std::wstring& url, InternetHandle& request,
                                const std::wstring& headers) {
    UrlParts parts;
    if (!crack(url, parts)) {
        return failed(HttpFailure::badUrl, GetLastError());
    }
    const HINTERNET connected = connectionTo(parts.host, parts.port, parts.secure);
    if (!connected) {
        return lastCallFailed();
    }
    // REFRESH: no proxy may answer from its cache. The path is already encoded.
    const DWORD flags = WINHTTP_FLAG_REFRESH | WINHTTP_FLAG_ESCAPE_DISABLE |
                        WINHTTP_FLAG_ESCAPE_DISABLE_QUERY |
                        (parts.secure ? WINHTTP_FLAG_SECURE : 0);
    request.reset(WinHttpOpenRequest(connected, L"GET", parts.pathAndQuery.c_str(), L"HTTP/1.0",
                                     WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
    if (!request) {
        return lastCallFailed();
    }
    // Redirects are followed in transfer(), where their targets are checked:
    // Wine's WinHTTP takes a Location of another scheme for a path on the same server.
    DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
    if (!WinHttpSetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects,
                          sizeof(noRedirects)) ||
        !proxy.applyTo(session.get(), request.get(), url) ||
        !WinHttpSendRequest(request.get(),
                            headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                            static_cast<DWORD>(headers.size()), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
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
    return result;
}

// The request, and the requests of the redirects that answer it, until a
// response that is no redirect.
HttpResult HttpConnection::sendFollowingRedirects(const std::wstring& url, InternetHandle& request,
                                                  const std::wstring& headers) {
    if (!session) {
        if (const DWORD error = open()) {
            session.reset();
            return failed(HttpFailure::unreachable, error);
        }
    }
    std::wstring current = url;
    for (int redirects = 0;; ++redirects) {
        HttpResult result = send(current, request, headers);
        if (!result.ok()) {
            return result;
        }
        const auto location = isRedirect(result.status) ? locationOf(request.get()) : std::nullopt;
        if (!location) {
            return result;
        }
        auto next = redirectTarget(current, *location);
        if (!next || redirects == maxRedirects) {
            return failed(HttpFailure::badRedirect, ERROR_WINHTTP_REDIRECT_FAILED);
        }
        current = std::move(*next);
    }
}

HttpResult HttpConnection::transfer(const std::wstring& url, ByteSink& sink,
                                    unsigned long long limit) {
    InternetHandle request;
    HttpResult result = sendFollowingRedirects(url, request, {});
    if (!result.ok()) {
        return result;
    }
    // Only a 200 carries the whole file: not 204 (no content), not 206 (a part).
    if (result.status != 200) {
        result.failure = HttpFailure::badStatus;
        return result;
    }
    const auto framed = framedLength(bodyHeadersOf(request.get()));
    if (framed.framing != Framing::byLength) {
        result.failure = framed.framing == Framing::noLength ? HttpFailure::lengthUnknown
                                                             : HttpFailure::badFraming;
        return result;
    }
    if (framed.length > limit) {
        result.failure = HttpFailure::tooLarge;
        return result;
    }
    sink.expect(framed.length);
    auto body = readBody(request.get(), framed.length, sink);
    body.status = result.status;
    return body;
}

HttpResult HttpConnection::peek(const std::wstring& url, std::size_t limit) {
    if (limit == 0) {
        return failed(HttpFailure::tooLarge, 0);
    }
    InternetHandle request;
    const std::wstring range = L"Range: bytes=0-" + platform::decimalText(limit - 1) + L"\r\n";
    HttpResult result = sendFollowingRedirects(url, request, range);
    if (!result.ok()) {
        return result;
    }
    if (result.status != 200 && result.status != 206) {
        result.failure = HttpFailure::badStatus;
        return result;
    }
    // Read until the limit, the end, or a failure; what came counts either way
    // unless nothing did.
    std::string& body = result.body;
    body.resize(limit);
    LowSpeedLimit speed(lowSpeedBytes, lowSpeedSpan, LowSpeedLimit::Clock::now());
    bool ended = false;
    while (result.received < limit) {
        DWORD available = 0;
        DWORD read = 0;
        const auto room = static_cast<DWORD>(limit - result.received);
        if (!WinHttpQueryDataAvailable(request.get(), &available) ||
            (available > 0 && !WinHttpReadData(request.get(), body.data() + result.received,
                                               std::min(available, room), &read))) {
            const auto failure = lastCallFailed();
            if (result.received == 0) {
                return failure;
            }
            ended = true; // the connection is not fit for another request
            break;
        }
        if (read == 0) {
            ended = available == 0;
            break;
        }
        result.received += read;
        if (!speed.keepsUp(LowSpeedLimit::Clock::now(), result.received)) {
            result.failure = HttpFailure::tooSlow;
            break;
        }
    }
    body.resize(static_cast<std::size_t>(result.received));
    if (!ended && result.ok()) {
        // A body framed to end here (a 206 of a short range) leaves the
        // connection fit for the lane's next peek.
        const auto framed = framedLength(bodyHeadersOf(request.get()));
        ended = framed.framing == Framing::byLength && framed.length == result.received;
    }
    if (!ended) {
        // More may follow (a server that ignored the range): the connection
        // goes, and with it the rest of the body, never read.
        request.reset();
        connection.reset();
        session.reset();
    }
    return result;
}

// Reads what has arrived, never waiting for more than one receive: each wait is
// bounded by the silence timeout, and the speed is judged between waits.
HttpResult HttpConnection::readBody(HINTERNET request, unsigned long long length, ByteSink& sink) {
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

} // namespace platform
