#include "platform/win32/http_proxy.h"

namespace platform {

namespace {

// The strings of the user's settings, freed with them.
struct UserProxySettings {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    bool read = false;
    UserProxySettings() { read = WinHttpGetIEProxyConfigForCurrentUser(&config) != FALSE; }
    ~UserProxySettings() {
        for (LPWSTR text : {config.lpszAutoConfigUrl, config.lpszProxy, config.lpszProxyBypass}) {
            if (text) {
                GlobalFree(text);
            }
        }
    }
    UserProxySettings(const UserProxySettings&) = delete;
    UserProxySettings& operator=(const UserProxySettings&) = delete;
};

std::wstring hostOf(const std::wstring& url) {
    const auto start = url.find(L"://");
    if (start == std::wstring::npos) {
        return {};
    }
    const auto end = url.find(L'/', start + 3);
    return url.substr(start + 3, end == std::wstring::npos ? end : end - start - 3);
}

} // namespace

HINTERNET openProxiedSession(const std::wstring& agent, HttpProxy& proxy) {
    const UserProxySettings user;
    const auto& config = user.config;
    const bool automatic = !user.read || config.fAutoDetect || config.lpszAutoConfigUrl;
    const auto openFixed = [&] {
        return WinHttpOpen(
            agent.c_str(), WINHTTP_ACCESS_TYPE_NAMED_PROXY, config.lpszProxy,
            config.lpszProxyBypass ? config.lpszProxyBypass : WINHTTP_NO_PROXY_BYPASS, 0);
    };
    if (!automatic) {
        return config.lpszProxy ? openFixed()
                                : WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY,
                                              WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    }
    // Detection or a script: Windows 8.1 and later do both themselves, with a
    // fixed proxy as the fallback, as the user's settings ask.
    if (HINTERNET session = WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY,
                                        WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)) {
        return session;
    }
    // Before that, the script is asked here per host; without an answer the
    // fixed proxy serves, or WinHTTP's own default.
    if (user.read) {
        if (config.lpszAutoConfigUrl) {
            proxy.scriptUrl_ = config.lpszAutoConfigUrl;
        }
        proxy.scripted_ = true;
        if (config.lpszProxy) {
            return openFixed();
        }
    }
    return WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                       WINHTTP_NO_PROXY_BYPASS, 0);
}

bool HttpProxy::applyTo(HINTERNET session, HINTERNET request, const std::wstring& url) {
    if (!scripted_) {
        return true;
    }
    const auto host = hostOf(url);
    if (!resolved_ || host != resolvedHost_) {
        resolved_ = true;
        resolvedHost_ = host;
        useProxy_ = false;
        WINHTTP_AUTOPROXY_OPTIONS options{};
        options.fAutoLogonIfChallenged = TRUE;
        if (!scriptUrl_.empty()) {
            options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
            options.lpszAutoConfigUrl = scriptUrl_.c_str();
        } else {
            options.dwFlags = WINHTTP_AUTOPROXY_AUTO_DETECT;
            options.dwAutoDetectFlags =
                WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
        }
        WINHTTP_PROXY_INFO info{};
        if (WinHttpGetProxyForUrl(session, url.c_str(), &options, &info)) {
            useProxy_ = info.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && info.lpszProxy;
            proxy_ = info.lpszProxy ? info.lpszProxy : L"";
            bypass_ = info.lpszProxyBypass ? info.lpszProxyBypass : L"";
        }
        // No script found: the session's own way (a fixed proxy or none) stands.
        for (LPWSTR text : {info.lpszProxy, info.lpszProxyBypass}) {
            if (text) {
                GlobalFree(text);
            }
        }
    }
    if (!useProxy_) {
        return true;
    }
    WINHTTP_PROXY_INFO info{};
    info.dwAccessType = WINHTTP_ACCESS_TYPE_NAMED_PROXY;
    info.lpszProxy = proxy_.data();
    info.lpszProxyBypass = bypass_.empty() ? nullptr : bypass_.data();
    return WinHttpSetOption(request, WINHTTP_OPTION_PROXY, &info, sizeof(info)) != FALSE;
}

} // namespace platform
