#include "platform/win32/background_thread.h"

#include "platform/win32/close_during_wait.h"

namespace platform::win32 {

namespace {

thread_local int responsiveWaits = 0;
thread_local int waitPointers = 0;
thread_local HCURSOR pointerBefore = nullptr;

} // namespace

// A wait of a window thread that never looks "not responding": the thread waits
// on its message queue too, and hands out what must not wait (repaints and sent
// messages) but nothing that would start another event handler. A close of the
// window ends the program there (close_during_wait.h).
DWORD waitResponsivelyFor(const HANDLE* handles, DWORD count) {
    ++responsiveWaits;
    // The pointer says so: input waits in the queue meanwhile. The forms keep it
    // while the wait lasts (WM_SETCURSOR), and after it the one before comes back.
    const WaitPointer pointer;
    DWORD signalled = 0;
    for (;;) {
        // Woken by new input and posted messages too, to look for a close among them.
        const DWORD woke = MsgWaitForMultipleObjectsEx(
            count, handles, INFINITE,
            QS_PAINT | QS_SENDMESSAGE | QS_POSTMESSAGE | QS_KEY | QS_MOUSEBUTTON, 0);
        if (woke != WAIT_OBJECT_0 + count) {
            signalled = woke;
            if (woke == WAIT_FAILED) {
                signalled = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
            }
            signalled -= WAIT_OBJECT_0;
            break;
        }
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (takeCloseRequest()) {
            endProgramDuringWait();
        }
        // What is left in the queue counts as seen: only what comes next wakes us.
        GetQueueStatus(QS_ALLINPUT);
        // Bounded: a window that leaves its update region invalid must not keep us here.
        for (int paints = 0; paints < 64 && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT,
                                                         PM_REMOVE | PM_QS_PAINT);
             ++paints) {
            DispatchMessageW(&message);
        }
    }
    --responsiveWaits;
    return signalled;
}

WaitPointer::WaitPointer() {
    if (waitPointers++ == 0) {
        pointerBefore = SetCursor(waitCursor());
    }
}

WaitPointer::~WaitPointer() {
    if (--waitPointers == 0) {
        SetCursor(pointerBefore);
    }
}

bool waitingResponsively() {
    return responsiveWaits > 0;
}

bool showsWaitPointer() {
    return waitPointers > 0;
}

HCURSOR waitCursor() {
    static const HCURSOR cursor = LoadCursorW(nullptr, IDC_WAIT);
    return cursor;
}

BackgroundThread::~BackgroundThread() {
    if (thread_) {
        job_ = nullptr;
        SetEvent(jobReady_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
    }
}

bool BackgroundThread::start() {
    jobReady_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    jobDone_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (jobReady_ && jobDone_) {
        thread_.reset(CreateThread(nullptr, 0, threadMain, this, 0, nullptr));
    }
    return static_cast<bool>(thread_);
}

void BackgroundThread::run(const std::function<void()>& job) {
    if (!thread_ && !start()) {
        job();
        return;
    }
    job_ = &job;
    failure_ = nullptr;
    SetEvent(jobReady_.get());
    const HANDLE done = jobDone_.get();
    waitResponsivelyFor(&done, 1);
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
}

DWORD WINAPI BackgroundThread::threadMain(void* self) {
    auto& owner = *static_cast<BackgroundThread*>(self);
    for (;;) {
        WaitForSingleObject(owner.jobReady_.get(), INFINITE);
        if (!owner.job_) {
            return 0;
        }
        try {
            (*owner.job_)();
        } catch (...) {
            owner.failure_ = std::current_exception();
        }
        SetEvent(owner.jobDone_.get());
    }
}

} // namespace platform::win32
