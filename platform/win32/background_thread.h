// Blocking work (a network transfer) done on a thread of its own while the
// calling window thread stays responsive: it repaints and answers messages sent
// to it, but leaves user input and posted messages in its queue for later, so
// that no event handler runs inside another.
#pragma once

#include "platform/win32/handles.h"

#include <windows.h>

#include <exception>
#include <functional>

namespace platform::win32 {

class BackgroundThread {
public:
    BackgroundThread() = default;
    ~BackgroundThread(); // ends the thread once its job is done
    BackgroundThread(const BackgroundThread&) = delete;
    BackgroundThread& operator=(const BackgroundThread&) = delete;

    // Runs the job on the thread (made at the first call) and returns when it is
    // done, rethrowing what it threw. Without a thread the job runs right here.
    void run(const std::function<void()>& job);

private:
    KernelHandle thread_;
    KernelHandle jobReady_;
    KernelHandle jobDone_;
    const std::function<void()>* job_ = nullptr; // null with jobReady_: time to end
    std::exception_ptr failure_;

    bool start();
    static DWORD WINAPI threadMain(void* self);
};

// Waits as BackgroundThread::run does until one of the handles is signalled; its
// index. At most MAXIMUM_WAIT_OBJECTS - 1 handles.
DWORD waitResponsivelyFor(const HANDLE* handles, DWORD count);

// True while this thread waits in BackgroundThread::run: a window procedure
// then holds back commands that arrive as sent messages.
bool waitingResponsively();
// The pointer over the program's windows meanwhile.
HCURSOR waitCursor();

// The wait pointer over the program's windows for the object's lifetime, and
// for the waits in it: a run of waits with short work between them shows it
// once (under Wine the pointer on and off costs about 0.2 ms, a fifth of a
// small file's download).
class WaitPointer {
public:
    WaitPointer();
    ~WaitPointer(); // the pointer before the outermost one comes back
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;
};
bool showsWaitPointer();

} // namespace platform::win32
