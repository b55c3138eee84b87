#include "platform/win32/lane_thread.h"

#include <mutex> // std::lock_guard

namespace platform::win32 {

bool LaneThread::startThread() {
    jobReady_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (jobReady_) {
        thread_.reset(CreateThread(nullptr, 0, threadMain, this, 0, nullptr));
    }
    return static_cast<bool>(thread_);
}

void LaneThread::letGo() {
    {
        const std::lock_guard lock(guard);
        forgetOwner();
        ending = true;
    }
    SetEvent(jobReady_.get());
    drop();
}

bool LaneThread::isEnding() {
    const std::lock_guard lock(guard);
    return ending;
}

void LaneThread::drop() {
    if (holders_.fetch_sub(1) == 1) {
        delete this;
    }
}

DWORD WINAPI LaneThread::threadMain(void* self) {
    auto* lane = static_cast<LaneThread*>(self);
    for (;;) {
        WaitForSingleObject(lane->jobReady_.get(), INFINITE);
        if (lane->isEnding()) {
            break;
        }
        lane->runJob();
    }
    lane->drop();
    return 0;
}

} // namespace platform::win32
