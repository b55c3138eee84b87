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
#include "platform/win32/lane_thread.h"
#include "platform/win32/lock.h"

#include <windows.h>

#include <algorithm>
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

struct HttpTransfers::Lane final : win32::LaneThread {
    HttpConnection connection;
    win32::KernelHandle jobDone;
    std::size_t tag = 0;
    std::wstring url;
    ByteSink* sink = nullptr; // under the guard
    HttpResult result;

    bool ready() {
        jobDone.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        return jobDone && startThread();
    }

    void runJob() override {
        GuardedSink guarded(guard, sink);
        result = connection.transfer(url, guarded, ~0ULL);
        if (!isEnding()) {
            SetEvent(jobDone.get());
        }
    }

    // Its sink hears nothing more.
    void forgetOwner() override { sink = nullptr; }
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
    } else if (!(lane = win32::makeLane<Lane>())) {
        return false;
    }
    {
        const std::lock_guard lock(lane->guard);
        lane->tag = tag;
        lane->url = url;
        lane->sink = &sink;
    }
    lane->startJob();
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
