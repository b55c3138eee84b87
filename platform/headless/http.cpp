// HttpClient in memory: answers come from the test's script.
#include "platform/headless/http_script.h"

#include <map>
#include <utility>

namespace platform::headless {

namespace {

struct Script {
    std::map<std::wstring, HttpResult> answers;
    std::vector<std::wstring> requested;
};

Script& script() {
    static Script s;
    return s;
}

} // namespace

void resetHttp() {
    script() = Script{};
}

void serveBody(const std::wstring& url, std::string body) {
    HttpResult result;
    result.status = 200;
    result.body = std::move(body);
    serveResult(url, std::move(result));
}

void serveResult(const std::wstring& url, HttpResult result) {
    script().answers[url] = std::move(result);
}

const std::vector<std::wstring>& requestedUrls() {
    return script().requested;
}

} // namespace platform::headless

namespace platform {

struct HttpClient::Session {};

HttpClient::HttpClient() : session_(std::make_unique<Session>()) {}
HttpClient::~HttpClient() = default;

HttpResult HttpClient::get(const std::wstring& url) {
    auto& s = headless::script();
    s.requested.push_back(url);
    if (auto it = s.answers.find(url); it != s.answers.end()) {
        return it->second;
    }
    HttpResult notFound;
    notFound.failure = HttpFailure::badStatus;
    notFound.status = 404;
    notFound.body = "<html><body>Not Found</body></html>";
    return notFound;
}

} // namespace platform
