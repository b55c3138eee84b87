// A thread that runs one network job at a time for its owner (HttpTransfers,
// HttpPeeks), each lane with a WinHTTP session of its own. A synchronous WinHTTP
// call cannot be cut short from another thread, so an owner that is done with a
// lane lets it go instead: the lane's thread ends, and frees the lane, once the
// job it has returns. Held by its owner and by its thread; the last to let go
// frees it.
#pragma once

#include "platform/win32/handles.h"
#include "platform/win32/lock.h"

#include <windows.h>

#include <atomic>

namespace platform::win32 {

class LaneThread {
public:
    LaneThread(const LaneThread&) = delete;
    LaneThread& operator=(const LaneThread&) = delete;

    // Runs the job (runJob) on the lane's thread; the owner set its fields
    // under the guard first.
    void startJob() { SetEvent(jobReady_.get()); }

    // The owner's side: no more jobs; what it lent the lane is taken back
    // (forgetOwner, under the guard), and the lane goes on alone until its
    // thread has ended.
    void letGo();

    // Over the job's fields and `ending`.
    Lock guard;

protected:
    LaneThread() = default;
    virtual ~LaneThread() = default;

    // Makes the thread; false when it could not (the lane is then deleted
    // by whoever made it, as no thread holds it).
    bool startThread();

    // The job, on the lane's thread.
    virtual void runJob() = 0;
    virtual void forgetOwner() {}

    // Under the guard: the owner let the lane go.
    bool ending = false;
    bool isEnding();

private:
    KernelHandle thread_;
    KernelHandle jobReady_;
    std::atomic<int> holders_{2};

    void drop();
    static DWORD WINAPI threadMain(void* self);
};

// A new lane of type Lane whose thread runs, or none.
template <class Lane> Lane* makeLane() {
    auto* lane = new Lane;
    if (!lane->ready()) {
        delete lane;
        return nullptr;
    }
    return lane;
}

} // namespace platform::win32
