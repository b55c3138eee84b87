// HttpPeeks in memory: a peek runs until the test ends it (endPeek), and then
// gets the URL's scripted answer.
#include "platform/http_peeks.h"

#include "platform/headless/http_script.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

struct HttpPeeks::Backend {
    struct Peek {
        std::size_t tag;
        std::wstring url;
        std::size_t limit;
    };
    HttpPeeks& owner;
    std::size_t lanes;
    std::vector<Peek> running;
};

namespace {

struct PeekScript {
    std::vector<HttpPeeks::Backend*> live;
    std::vector<std::wstring> peeked;
};

PeekScript& peekScript() {
    static PeekScript s;
    return s;
}

} // namespace

HttpPeeks::HttpPeeks(std::size_t lanes)
    : backend_(std::make_unique<Backend>(Backend{*this, std::max<std::size_t>(lanes, 1), {}})) {
    peekScript().live.push_back(backend_.get());
}

HttpPeeks::~HttpPeeks() {
    std::erase(peekScript().live, backend_.get());
}

bool HttpPeeks::start(std::size_t tag, const std::wstring& url, std::size_t limit) {
    if (backend_->running.size() >= backend_->lanes) {
        return false;
    }
    peekScript().peeked.push_back(url);
    backend_->running.push_back({tag, url, limit});
    return true;
}

void HttpPeeks::cancel(std::size_t tag) {
    std::erase_if(backend_->running, [tag](const Backend::Peek& peek) { return peek.tag == tag; });
}

std::size_t HttpPeeks::running() const {
    return backend_->running.size();
}

} // namespace platform

namespace platform::headless {

void resetPeeks() {
    peekScript().peeked.clear();
}

std::vector<std::wstring> runningPeeks() {
    std::vector<std::wstring> urls;
    for (const auto* backend : peekScript().live) {
        for (const auto& peek : backend->running) {
            urls.push_back(peek.url);
        }
    }
    return urls;
}

const std::vector<std::wstring>& peekedUrls() {
    return peekScript().peeked;
}

bool endPeek(const std::wstring& url) {
    for (auto* backend : peekScript().live) {
        auto& running = backend->running;
        const auto found = std::find_if(running.begin(), running.end(),
                                        [&](const auto& peek) { return peek.url == url; });
        if (found == running.end()) {
            continue;
        }
        const auto peek = *found;
        running.erase(found);
        HttpResult result = scriptedAnswer(url);
        if (result.status == 200 || result.status == 206) {
            if (result.body.size() > peek.limit) {
                result.body.resize(peek.limit);
                result.failure = HttpFailure::none; // cut off on purpose, not short
            }
            result.received = result.body.size();
        }
        if (backend->owner.onEnded) {
            backend->owner.onEnded(peek.tag, std::move(result));
        }
        return true;
    }
    return false;
}

} // namespace platform::headless
