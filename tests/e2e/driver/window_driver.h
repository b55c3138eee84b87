// One window of the program under test, driven through the program's own layout
// table: each control is found by the window class of its kind and the rectangle
// that the backend's rule (platform/win32/layout.h) gives it at the window's DPI,
// and is then read, typed into and clicked by its designer name.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "platform/form_spec.h"
#include "tests/e2e/driver/wait.h"

namespace e2e {

class WindowDriver {
public:
    // Waits for the visible top-level window of the process with the table's caption.
    WindowDriver(DWORD processId, platform::FormSpec design, int dpi);

    HWND window() const { return window_; }
    // Sends the window the DPI change that a move to a monitor of that DPI brings,
    // suggesting the same place and the size the table gives there; from then on
    // controls are looked for where the table puts them at that DPI.
    void changeDpi(int dpi);
    const platform::FormSpec& design() const { return design_; }
    int dpi() const { return dpi_; }
    // The control's row of the table; fails the case when there is none.
    const platform::ControlSpec& designOf(std::wstring_view name) const;
    // Where the control must be in the window's client area.
    RECT expectedRect(const platform::ControlSpec& control) const;

    // The control's window; fails the case, listing the windows of its class, when
    // it is not where the table puts it.
    HWND control(std::wstring_view name);
    // The same, or null when it is not there.
    HWND find(std::wstring_view name);
    // The designer name of a control window, for messages.
    std::wstring nameOf(HWND window);
    HWND focused() const;

    std::wstring text(std::wstring_view name);
    bool checked(std::wstring_view name);
    // Selects the whole text and replaces it, then waits until the program is idle.
    void type(std::wstring_view name, std::wstring_view text);
    // Clicks and returns once the program has handled the click or shows a modal
    // window from it; at once when the window has no control to tell that by.
    void click(std::wstring_view name, milliseconds timeout = defaultTimeout);
    // Presses a key in the focused control; returns as click does.
    void press(UINT virtualKey);

    // Returns once the program has handled what was posted to it so far: a marker
    // posted to the window's first text box or list comes back.
    void waitForIdle(milliseconds timeout = defaultTimeout);

    // Checks the frame, the client size, the position on the screen when the table
    // gives one, and that every control is where the table puts it, each on its own.
    void checkLayout();
    // Checks that every control with a window shows the table's text.
    void checkTexts();

private:
    // The control that waitForIdle posts its marker to; null when there is none.
    HWND idleMarker();
    // Where the windows of the control's class are, for a failure message.
    std::string misplaced(const platform::ControlSpec& control);

    platform::FormSpec design_;
    int dpi_;
    const int desktopDpi_; // of window positions: the DPI the program started with
    HWND window_;
    std::map<std::wstring, HWND, std::less<>> found_;
};

} // namespace e2e
