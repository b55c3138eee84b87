// Forms for testing the Win32 backend in process: a sample table with every kind
// of control, access to the windows behind the controls, and message pumping.
#pragma once

#include "platform/form.h"

#include <windows.h>

#include <functional>

namespace backend_e2e {

// Every kind of control, with a frame holding a picture box holding an option
// group, a default button, a button with an access key (Alt+O), and a text box
// that Tab skips. No cancel button.
platform::FormSpec sampleSpec();

// A fixed dialog out of the taskbar whose one button is default and cancel.
platform::FormSpec dialogSpec();

// The child window that shows a control, and the form's own window.
HWND windowOf(const platform::Control& control);
HWND formWindowOf(const platform::Form& form);

// Dispatches what is in the thread's queue through the backend's message loop,
// until it is empty (at most two seconds).
void pumpMessages();

// Posts a key press to the focused window and lets the loop handle it.
void pressKey(UINT virtualKey);

// Counts the calls of a handler.
struct Counter {
    int calls = 0;
    std::function<void()> handler() {
        return [this] { ++calls; };
    }
};

} // namespace backend_e2e
