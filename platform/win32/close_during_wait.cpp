#include "platform/win32/close_during_wait.h"

#include "platform/win32/form_window.h"
#include "platform/win32/lock.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace platform::win32 {

namespace {

bool closeAsked = false; // by a sent message; only the window thread sets it

bool isFormWindow(HWND window) {
    return window && FormWindow::of(GetAncestor(window, GA_ROOT)) != nullptr;
}

// The first message of one kind in the queue, left there.
bool peekFirst(UINT message, MSG& found) {
    return PeekMessageW(&found, nullptr, message, message, PM_NOREMOVE | PM_NOYIELD) != FALSE;
}

void removeFirst(UINT message) {
    MSG taken;
    PeekMessageW(&taken, nullptr, message, message, PM_REMOVE | PM_NOYIELD);
}

bool takeFirstIf(UINT message, bool (*isClose)(const MSG&)) {
    MSG found;
    if (peekFirst(message, found) && isFormWindow(found.hwnd) && isClose(found)) {
        removeFirst(message);
        return true;
    }
    return false;
}

// Alt+F4 comes as Alt's own key-down first: it is taken out of the way, since
// alone it starts nothing (its key-up, which opens the menu, needs it).
bool takeAltF4() {
    MSG found;
    while (peekFirst(WM_SYSKEYDOWN, found) && isFormWindow(found.hwnd)) {
        if (found.wParam == VK_F4) {
            removeFirst(WM_SYSKEYDOWN);
            return true;
        }
        if (found.wParam != VK_MENU) {
            return false;
        }
        removeFirst(WM_SYSKEYDOWN);
    }
    return false;
}

Lock tidiesLock;
std::vector<std::function<void()>*> tidies;

} // namespace

bool takeCloseRequest() {
    return std::exchange(closeAsked, false) ||
           takeFirstIf(WM_CLOSE, [](const MSG&) { return true; }) ||
           takeFirstIf(WM_SYSCOMMAND,
                       [](const MSG& found) { return (found.wParam & 0xFFF0) == SC_CLOSE; }) ||
           takeFirstIf(WM_NCLBUTTONDOWN,
                       [](const MSG& found) { return found.wParam == HTCLOSE; }) ||
           takeAltF4();
}

void askToClose() {
    closeAsked = true;
}

void endProgramDuringWait() {
    {
        const std::lock_guard lock(tidiesLock);
        for (auto* tidy : tidies) {
            (*tidy)();
        }
    }
    ExitProcess(0);
}

TidyBeforeEnd::TidyBeforeEnd(std::function<void()> tidy) : tidy_(std::move(tidy)) {
    const std::lock_guard lock(tidiesLock);
    tidies.push_back(&tidy_);
}

TidyBeforeEnd::~TidyBeforeEnd() {
    const std::lock_guard lock(tidiesLock);
    std::erase(tidies, &tidy_);
}

} // namespace platform::win32
