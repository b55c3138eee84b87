// HttpClient on WinHTTP: its timeouts take effect (WinINet ignores its connect
// timeout), and one session keeps the connection to a host alive between requests.
#include "platform/http.h"

#include "platform/win32/http_handle.h"
#include "platform/win32/http_proxy.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <new>

namespace platform {

namespace {

constexpr DWORD timeoutMilliseconds = 30000;
constexpr std::size_t largestReservation = 64u << 20; // a Content-Length is only a claim
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
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return L"program";
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
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

} // namespace

struct HttpClient::Session {
    InternetHandle session;
    HttpProxy proxy;
    InternetHandle connection; // to the host of the last request, kept for the next
    std::wstring connectedHost;
    INTERNET_PORT connectedPort = 0;

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
};

HttpClient::HttpClient() : session_(std::make_unique<Session>()) {}
HttpClient::~HttpClient() = default;

HttpResult HttpClient::get(const std::wstring& url) {
    if (!session_->session) {
        if (const DWORD error = session_->open()) {
            session_->session.reset();
            return failed(HttpFailure::unreachable, error);
        }
    }
    UrlParts parts;
    if (!crack(url, parts)) {
        return failed(HttpFailure::badUrl, GetLastError());
    }
    const HINTERNET connection = session_->connectionTo(parts);
    if (!connection) {
        return lastCallFailed();
    }

    // REFRESH: no proxy may answer from its cache. The path is already encoded.
    const DWORD flags = WINHTTP_FLAG_REFRESH | WINHTTP_FLAG_ESCAPE_DISABLE |
                        WINHTTP_FLAG_ESCAPE_DISABLE_QUERY |
                        (parts.secure ? WINHTTP_FLAG_SECURE : 0);
    const InternetHandle request(WinHttpOpenRequest(connection, L"GET", parts.pathAndQuery.c_str(),
                                                    nullptr, WINHTTP_NO_REFERER,
                                                    WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
    if (!request) {
        return lastCallFailed();
    }
    if (!session_->proxy.applyTo(session_->session.get(), request.get(), url)) {
        return lastCallFailed();
    }
    if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.get(), nullptr)) {
        return lastCallFailed();
    }

    HttpResult result;
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                             WINHTTP_NO_HEADER_INDEX)) {
        return lastCallFailed();
    }
    result.status = static_cast<int>(status);
    if (status < 200 || status > 299) {
        result.failure = HttpFailure::badStatus;
        return result;
    }

    unsigned long long announced = 0;
    const bool hasLength = contentLength(request.get(), announced);
    try {
        if (hasLength) {
            result.body.reserve(static_cast<std::size_t>(
                std::min<unsigned long long>(announced, largestReservation)));
        }
        for (;;) {
            const std::size_t had = result.body.size();
            result.body.resize(had + readChunk);
            DWORD read = 0;
            if (!WinHttpReadData(request.get(), result.body.data() + had, readChunk, &read)) {
                const DWORD error = GetLastError();
                result.body.resize(had);
                auto broken = transferFailed(error);
                broken.status = result.status;
                return broken;
            }
            result.body.resize(had + read);
            if (read == 0) {
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        auto tooBig = failed(HttpFailure::broken, ERROR_NOT_ENOUGH_MEMORY);
        tooBig.status = result.status;
        return tooBig;
    }
    if (hasLength && result.body.size() < announced) {
        result.failure = HttpFailure::shortBody;
    }
    return result;
}

} // namespace platform
