// The thread's message loop: dialog keys for the forms, nested loops for modal
// windows, and handler exceptions carried out of the window procedures.
#pragma once

#include <exception>
#include <functional>
#include <optional>

namespace platform::win32 {

// Dispatches the thread's messages until done() holds (checked before each wait).
// Returns the exit code when WM_QUIT arrived first; the caller decides whether to
// post it again for an outer loop. Rethrows an exception a handler raised.
std::optional<int> runMessagesUntil(const std::function<bool()>& done);

// Window procedures must not let an exception unwind into the system: they hand
// it here, and the message loop rethrows it once the dispatch has returned.
void keepHandlerException(std::exception_ptr exception);
void rethrowHandlerException();

template <class Body> void runGuarded(Body&& body) {
    try {
        body();
    } catch (...) {
        keepHandlerException(std::current_exception());
    }
}

} // namespace platform::win32
