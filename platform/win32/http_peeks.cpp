// HttpPeeks: each lane is a thread with a WinHTTP session of its own (as in
// HttpTransfers), and a peek's end is posted to a message-only window of the
// window thread, which raises onEnded when it gets there. A posted message waits
// while a press waits on the network, so no end is handled inside a handler.
//
// A synchronous WinHTTP call cannot be cut short, so a cancelled lane is let
// go: its thread ends, and frees the lane, once its peek returns on its own.
#include "platform/http_peeks.h"

#include "platform/win32/http_connection.h"
#include "platform/win32/lane_thread.h"
#include "platform/win32/message_loop.h"

#include <windows.h>

#include <algorithm>
#include <mutex> // std::lock_guard
#include <stdexcept>
#include <vector>

namespace platform {

namespace {

constexpr UINT peekEnded = WM_APP + 1; // wParam: the job's serial
constexpr wchar_t peekWindowClass[] = L"PlatformHttpPeeks";

struct PeekLane final : win32::LaneThread {
    HttpConnection connection;
    // The job's fields, under the guard.
    std::wstring url;
    std::size_t limit = 0;
    std::size_t serial = 0;
    HWND notify = nullptr;
    HttpResult result;

    bool ready() { return startThread(); }

    void runJob() override {
        std::wstring jobUrl;
        std::size_t jobLimit = 0;
        {
            const std::lock_guard lock(guard);
            jobUrl = url;
            jobLimit = limit;
        }
        HttpResult peeked = connection.peek(jobUrl, jobLimit);
        const std::lock_guard lock(guard);
        if (!ending) {
            result = std::move(peeked);
            PostMessageW(notify, peekEnded, serial, 0);
        }
    }
};

} // namespace

struct HttpPeeks::Backend {
    struct Running {
        std::size_t serial;
        std::size_t tag;
        PeekLane* lane;
    };
    Backend(HttpPeeks& peeks, std::size_t laneCount) : owner(peeks), lanes(laneCount) {}
    HttpPeeks& owner;
    std::size_t lanes;
    HWND window = nullptr; // made at the first peek
    std::size_t nextSerial = 1;
    std::vector<Running> running;
    std::vector<PeekLane*> idle;

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == peekEnded) {
            if (auto* self = reinterpret_cast<Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
                win32::runGuarded([&] { self->ended(static_cast<std::size_t>(wParam)); });
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    bool makeWindow() {
        static const bool registered = [] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = procedure;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = peekWindowClass;
            return RegisterClassExW(&windowClass) != 0;
        }();
        if (registered && !window) {
            window = CreateWindowExW(0, peekWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
            if (window) {
                SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            }
        }
        return window != nullptr;
    }

    void ended(std::size_t serial) {
        const auto found = std::find_if(running.begin(), running.end(),
                                        [serial](const Running& r) { return r.serial == serial; });
        if (found == running.end()) {
            return; // cancelled after it was posted
        }
        const Running done = *found;
        running.erase(found);
        idle.push_back(done.lane);
        HttpResult result;
        {
            const std::lock_guard lock(done.lane->guard);
            result = std::move(done.lane->result);
        }
        if (owner.onEnded) {
            owner.onEnded(done.tag, std::move(result));
        }
    }
};

HttpPeeks::HttpPeeks(std::size_t lanes)
    : backend_(std::make_unique<Backend>(*this, std::max<std::size_t>(lanes, 1))) {}

HttpPeeks::~HttpPeeks() {
    for (const auto& running : backend_->running) {
        running.lane->letGo();
    }
    for (PeekLane* lane : backend_->idle) {
        lane->letGo();
    }
    if (backend_->window) {
        DestroyWindow(backend_->window);
    }
}

bool HttpPeeks::start(std::size_t tag, const std::wstring& url, std::size_t limit) {
    auto& b = *backend_;
    if (b.running.size() >= b.lanes || !b.makeWindow()) {
        return false;
    }
    PeekLane* lane = nullptr;
    if (!b.idle.empty()) {
        lane = b.idle.back();
        b.idle.pop_back();
    } else if (!(lane = win32::makeLane<PeekLane>())) {
        return false;
    }
    const std::size_t serial = b.nextSerial++;
    {
        const std::lock_guard lock(lane->guard);
        lane->url = url;
        lane->limit = limit;
        lane->serial = serial;
        lane->notify = b.window;
    }
    lane->startJob();
    b.running.push_back({serial, tag, lane});
    return true;
}

void HttpPeeks::cancel(std::size_t tag) {
    auto& running = backend_->running;
    const auto found = std::find_if(running.begin(), running.end(),
                                    [tag](const Backend::Running& r) { return r.tag == tag; });
    if (found != running.end()) {
        found->lane->letGo();
        running.erase(found);
    }
}

std::size_t HttpPeeks::running() const {
    return backend_->running.size();
}

} // namespace platform
