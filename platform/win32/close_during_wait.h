// Closing a window while a handler waits on the network ends the program at
// once: the close box, Alt+F4 and WM_CLOSE are taken out of the queue during the
// wait, and nothing else is (all other input waits for the handler to end).
//
// The program then ends where it waits, without unwinding the handler: a
// transfer blocked in the HTTP client cannot be called back from another thread
// (under Wine, closing a request's handle leaves a blocked receive waiting until
// the server answers), and the transfer's thread uses the handler's data until
// it returns. What must not outlive the program in the file system (temporary
// files of a download) is tidied first, by whoever made it.
#pragma once

#include <functional>

namespace platform::win32 {

// Looks at the queue of the waiting thread for a close of one of its forms, and
// takes that message alone when there is one.
bool takeCloseRequest();

// A close that reached a form as a sent message during a wait.
void askToClose();

// Tidies everything registered, then ends the process with exit code 0.
[[noreturn]] void endProgramDuringWait();

// Registers a tidy-up for endProgramDuringWait for its lifetime. The tidy-up runs
// on the waiting thread while other threads may still be working.
class TidyBeforeEnd {
public:
    explicit TidyBeforeEnd(std::function<void()> tidy);
    ~TidyBeforeEnd();
    TidyBeforeEnd(const TidyBeforeEnd&) = delete;
    TidyBeforeEnd& operator=(const TidyBeforeEnd&) = delete;

private:
    std::function<void()> tidy_;
};

} // namespace platform::win32
