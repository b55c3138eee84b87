// One WinHTTP session and its connection to the server of the last request,
// kept for the next one: the requests of HttpClient and of each lane of
// HttpTransfers (platform/http.h), which call it on threads of their own.
#pragma once

#include "platform/http.h"
#include "platform/win32/http_handle.h"
#include "platform/win32/http_proxy.h"

#include <string>

namespace platform {

class HttpConnection {
public:
    // The request and its response, redirects followed; the body goes to sink,
    // failing with tooLarge when it announces more than limit bytes.
    HttpResult transfer(const std::wstring& url, ByteSink& sink, unsigned long long limit);
    // The first `limit` bytes of url in the result's body, asked for with a
    // Range header; a 200 or a 206 counts. A response with more to come is cut
    // off there, and its connection closed.
    HttpResult peek(const std::wstring& url, std::size_t limit);

private:
    InternetHandle session;
    HttpProxy proxy;
    InternetHandle connection;
    bool connectedSecure = false;
    std::wstring connectedHost;
    INTERNET_PORT connectedPort = 0;

    DWORD open();
    HINTERNET connectionTo(const std::wstring& host, INTERNET_PORT port, bool secure);
    HttpResult send(const std::wstring& url, InternetHandle& request, const std::wstring& headers);
    HttpResult sendFollowingRedirects(const std::wstring& url, InternetHandle& request,
                                      const std::wstring& headers);
    HttpResult readBody(HINTERNET request, unsigned long long length, ByteSink& sink);
};

} // namespace platform
