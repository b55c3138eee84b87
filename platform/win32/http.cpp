// HttpClient: its requests go out one at a time from a thread of their own while
// the caller waits responsively (platform/win32/background_thread.h).
#include "platform/http.h"

#include "platform/win32/background_thread.h"
#include "platform/win32/http_connection.h"

#include <windows.h>

#include <new>

namespace platform {

namespace {

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

    void expect(unsigned long long length) override {
        if (length <= limit_) {
            try {
                body_.reserve(static_cast<std::size_t>(length));
            } catch (const std::bad_alloc&) {
                // It grows as it comes, and fails then if it must.
            }
        }
    }

    bool overLimit = false;

private:
    std::string& body_;
    std::size_t limit_;
};

} // namespace

struct HttpClient::Session {
    HttpConnection connection;
    win32::BackgroundThread worker; // every WinHTTP call of this client runs there
};

HttpClient::HttpClient() : session_(std::make_unique<Session>()) {}
HttpClient::~HttpClient() = default;

HttpResult HttpClient::get(const std::wstring& url, ByteSink& sink) {
    HttpResult result;
    session_->worker.run([&] { result = session_->connection.transfer(url, sink, ~0ULL); });
    return result;
}

HttpResult HttpClient::get(const std::wstring& url, std::size_t limit) {
    std::string body;
    MemorySink sink(body, limit);
    HttpResult result;
    session_->worker.run([&] { result = session_->connection.transfer(url, sink, limit); });
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
