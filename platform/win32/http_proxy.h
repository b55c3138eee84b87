// The user's proxy settings (Internet Options) for WinHTTP, which does not read
// them by itself before Windows 8.1, nor under Wine.
#pragma once

#include "platform/win32/http_handle.h"

#include <string>

namespace platform {

// A proxy from an auto-configuration script (or detection), found per host.
class HttpProxy {
public:
    // False only when the request could not be given the proxy it needs.
    bool applyTo(HINTERNET session, HINTERNET request, const std::wstring& url);

private:
    friend HINTERNET openProxiedSession(const std::wstring& agent, HttpProxy& proxy);

    bool scripted_ = false;
    std::wstring scriptUrl_;
    std::wstring resolvedHost_;
    bool resolved_ = false;
    bool useProxy_ = false;
    std::wstring proxy_;
    std::wstring bypass_;
};

// A WinHTTP session that reaches the network as the user's settings say: a
// fixed proxy (with its bypass list), none, or detection and scripts, which the
// system handles where it can and `proxy` otherwise.
HINTERNET openProxiedSession(const std::wstring& agent, HttpProxy& proxy);

} // namespace platform
