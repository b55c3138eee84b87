// HttpClient in memory: answers come from the test's script.
#include "platform/headless/http_script.h"

#include <algorithm>
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

void resetPeeks();

void resetHttp() {
    script() = Script{};
    resetPeeks();
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

HttpResult scriptedAnswer(const std::wstring& url) {
    auto& s = script();
    if (auto it = s.answers.find(url); it != s.answers.end()) {
        return it->second;
    }
    HttpResult notFound;
    notFound.failure = HttpFailure::badStatus;
    notFound.status = 404;
    return notFound;
}

} // namespace platform::headless

namespace platform {

struct HttpClient::Session {};

HttpClient::HttpClient() : session_(std::make_unique<Session>()) {}
HttpClient::~HttpClient() = default;

namespace {

HttpResult answerFor(const std::wstring& url) {
    return headless::scriptedAnswer(url);
}

// A scripted body reaches the sink in two parts, as far as it got: a failure
// scripted with a 200 and a body (cut short, too slow ...) comes after its bytes.
HttpResult streamAnswer(const std::wstring& url, ByteSink& sink) {
    auto result = answerFor(url);
    const std::string body = std::exchange(result.body, {});
    if (result.status != 200) {
        return result;
    }
    const std::string_view bytes = body;
    for (const auto part : {bytes.substr(0, bytes.size() / 2), bytes.substr(bytes.size() / 2)}) {
        if (const Status stored = sink.append(part); !stored.ok()) {
            HttpResult refused;
            refused.status = result.status;
            refused.failure = HttpFailure::notStored;
            refused.error = stored.error;
            return refused;
        }
        result.received += part.size();
    }
    return result;
}

} // namespace

HttpResult HttpClient::get(const std::wstring& url, ByteSink& sink) {
    headless::script().requested.push_back(url);
    return streamAnswer(url, sink);
}

HttpResult HttpClient::get(const std::wstring& url, std::size_t limit) {
    headless::script().requested.push_back(url);
    auto result = answerFor(url);
    if (result.ok() && result.body.size() > limit) {
        result.failure = HttpFailure::tooLarge;
    }
    result.received = result.body.size();
    if (!result.ok()) {
        result.body.clear();
    }
    return result;
}

// A transfer runs whole when it ends, and the last one started ends first, so
// that files arrive out of list order and a sink must last until its end.
struct HttpTransfers::Lane {
    std::size_t tag;
    std::wstring url;
    ByteSink* sink;
};

struct HttpTransfers::Waiting {};

HttpTransfers::HttpTransfers(std::size_t lanes) : lanes_(std::max<std::size_t>(lanes, 1)) {}

HttpTransfers::~HttpTransfers() {
    for (Lane* lane : running_) {
        delete lane;
    }
}

bool HttpTransfers::start(std::size_t tag, const std::wstring& url, ByteSink& sink) {
    if (running_.size() >= lanes_) {
        return false;
    }
    headless::script().requested.push_back(url);
    running_.push_back(new Lane{tag, url, &sink});
    return true;
}

std::optional<HttpTransfers::Ended> HttpTransfers::next() {
    if (running_.empty()) {
        return std::nullopt;
    }
    const std::unique_ptr<Lane> lane(running_.back());
    running_.pop_back();
    return Ended{lane->tag, streamAnswer(lane->url, *lane->sink)};
}

void HttpTransfers::cancel(std::size_t tag) {
    for (auto it = running_.begin(); it != running_.end(); ++it) {
        if ((*it)->tag == tag) {
            delete *it;
            running_.erase(it);
            return;
        }
    }
}

} // namespace platform
