// HttpTransfers: each lane is a thread with a WinHTTP session of its own, so that
// no lane waits for another's connection, whatever the system's limit of
// connections per server (WINHTTP_OPTION_MAX_CONNS_PER_SERVER) is.
//
// A synchronous WinHTTP call cannot be cut short from another thread (closing a
// handle in use is allowed only for asynchronous requests), so a cancelled lane
// is let go instead: its sink is cut off at once, and the lane's thread ends
// and frees the lane once its transfer returns, which the refused bytes or the
// time limit bring about soon.
#include "platform/http.h"

#include "platform/win32/background_thread.h"
#include "platform/win32/handles.h"
#include "platform/win32/http_connection.h"
#include "platform/win32/lock.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex> // std::lock_guard

namespace platform {

namespace {

// Where a lane's bytes go: the caller's sink, until the lane is let go.
class GuardedSink final : public ByteSink {
public:
    GuardedSink(win32::Lock& guard, ByteSink*& target) : guard_(guard), target_(target) {}

    Status append(std::string_view bytes) override {
        const std::lock_guard lock(guard_);
        return target_ ? target_->append(bytes) : Status{ERROR_CANCELLED};
    }
    void expect(unsigned long long length) override {
        const std::lock_guard lock(guard_);
        if (target_) {
            target_->expect(length);
        }
    }

private:
    win32::Lock& guard_;
    ByteSink*& target_;
};

} // namespace

// Held by its owner and by its thread; the last to let go frees it.
struct HttpTransfers::Lane {
    HttpConnection connection;
    win32::KernelHandle thread;
    win32::KernelHandle jobReady;
    win32::KernelHandle jobDone;
    std::atomic<int> holders{2};
    win32::Lock guard; // over sink and ending
    std::size_t tag = 0;
    std::wstring url;
    ByteSink* sink = nullptr;
    HttpResult result;
    bool ending = false; // no more jobs: the thread ends after the one it has

    // A lane whose thread runs, or none.
    static Lane* make() {
        auto* lane = new Lane;
        lane->jobReady.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        lane->jobDone.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        if (lane->jobReady && lane->jobDone) {
            lane->thread.reset(CreateThread(nullptr, 0, threadMain, lane, 0, nullptr));
        }
        if (!lane->thread) {
            delete lane;
            return nullptr;
        }
        return lane;
    }

    void drop() {
        if (holders.fetch_sub(1) == 1) {
            delete this;
        }
    }

    // The owner's side: its sink hears nothing more, and the lane goes on alone
    // until its thread has ended.
    void letGo() {
        {
            const std::lock_guard lock(guard);
            sink = nullptr;
            ending = true;
        }
        SetEvent(jobReady.get());
        drop();
    }

    static DWORD WINAPI threadMain(void* self) {
        auto* lane = static_cast<Lane*>(self);
        for (;;) {
            WaitForSingleObject(lane->jobReady.get(), INFINITE);
            if (lane->isEnding()) {
                break;
            }
            GuardedSink guarded(lane->guard, lane->sink);
            HttpResult result = lane->connection.transfer(lane->url, guarded, ~0ULL);
            lane->result = std::move(result);
            if (lane->isEnding()) {
                break;
            }
            SetEvent(lane->jobDone.get());
        }
        lane->drop();
        return 0;
    }

    bool isEnding() {
        const std::lock_guard lock(guard);
        return ending;
    }
};

// The wait pointer stays up over the waits and the moves into place between them.
struct HttpTransfers::Waiting {
    win32::WaitPointer pointer;
};

HttpTransfers::HttpTransfers(std::size_t lanes)
    : lanes_(std::clamp<std::size_t>(lanes, 1, MAXIMUM_WAIT_OBJECTS - 1)) {}

HttpTransfers::~HttpTransfers() {
    for (Lane* lane : running_) {
        lane->letGo();
    }
    for (Lane* lane : idle_) {
        lane->letGo();
    }
}

bool HttpTransfers::start(std::size_t tag, const std::wstring& url, ByteSink& sink) {
    if (running_.size() >= lanes_) {
        return false;
    }
    Lane* lane = nullptr;
    if (!idle_.empty()) {
        lane = idle_.back();
        idle_.pop_back();
    } else if (!(lane = Lane::make())) {
        return false;
    }
    {
        const std::lock_guard lock(lane->guard);
        lane->tag = tag;
        lane->url = url;
        lane->sink = &sink;
    }
    SetEvent(lane->jobReady.get());
    running_.push_back(lane);
    return true;
}

std::optional<HttpTransfers::Ended> HttpTransfers::next() {
    if (running_.empty()) {
        return std::nullopt;
    }
    if (!waiting_) {
        waiting_ = std::make_unique<Waiting>();
    }
    HANDLE done[MAXIMUM_WAIT_OBJECTS];
    for (std::size_t i = 0; i < running_.size(); ++i) {
        done[i] = running_[i]->jobDone.get();
    }
    const DWORD which = win32::waitResponsivelyFor(done, static_cast<DWORD>(running_.size()));
    if (which >= running_.size()) {
        return std::nullopt;
    }
    Lane* lane = running_[which];
    running_.erase(running_.begin() + which);
    idle_.push_back(lane);
    {
        const std::lock_guard lock(lane->guard);
        lane->sink = nullptr;
    }
    return Ended{lane->tag, std::move(lane->result)};
}

void HttpTransfers::cancel(std::size_t tag) {
    const auto found = std::find_if(running_.begin(), running_.end(),
                                    [tag](const Lane* lane) { return lane->tag == tag; });
    if (found != running_.end()) {
        (*found)->letGo();
        running_.erase(found);
    }
}

} // namespace platform
