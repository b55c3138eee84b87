// Windows and controls of another process, seen and driven from the test program
// as a user would drive them: every call that talks to the program is bounded in
// time and fails the case with a clear message when the program does not answer.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/driver/wait.h"

namespace e2e {

std::wstring className(HWND window);
// Whether the window is of that class ("Edit", "Button" ...), in any letter case.
bool hasClass(HWND window, std::wstring_view windowClass);

// The text by WM_GETTEXT, which works across processes (GetWindowText does not
// for another process's edit control).
std::wstring windowText(HWND window);

// Top-level windows of the process, visible or not.
std::vector<HWND> topLevelWindows(DWORD processId);

// The visible top-level window of the process with that caption; null when there
// is none.
HWND findTopLevelWindow(DWORD processId, std::wstring_view caption);
HWND waitForTopLevelWindow(DWORD processId, std::wstring_view caption,
                           milliseconds timeout = defaultTimeout);

// Every window below parent, at any depth.
std::vector<HWND> descendants(HWND parent);

// The screen's device context while it lives.
struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};
// The colour on the screen at a point of the window's client area.
COLORREF screenPixel(HWND window, POINT clientPoint);

// Moves the pointer to the middle of the window, as a user's mouse does, and
// back to where it was when it goes out of scope: a pointer left over a place
// where later cases open windows would feed them mouse messages.
class PointerAt {
public:
    explicit PointerAt(HWND window);
    ~PointerAt();
    PointerAt(const PointerAt&) = delete;
    PointerAt& operator=(const PointerAt&) = delete;

private:
    POINT before_{};
};
// The cursor that the screen shows now.
HCURSOR shownCursor();

// How many rows of the window's client area, as the screen shows it, hold a dark
// pixel: the height of black text on a light background.
int darkPixelRows(HWND window);

// A control's rectangle relative to the client area of form, in pixels.
RECT rectInClientOf(HWND control, HWND form);
SIZE clientSize(HWND window);
std::string describe(const RECT& rect);

// SendMessageTimeout with a bounded wait; fails the case when the program does not
// answer (hung, or inside a call that does not pump sent messages).
LRESULT sendMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Focuses the control with a click in it, then selects the whole text and replaces
// it, so the control reports a change as it would for typing.
void typeText(HWND edit, std::wstring_view text);

// Clicks a push, radio or check button (a posted BM_CLICK: returns at once, even
// when the click opens a modal box).
void clickButton(HWND button);
void clickAt(HWND window, POINT clientPoint);

bool isChecked(HWND button);

// The control with the keyboard focus in the program's thread that owns window.
HWND focusedWindow(HWND window);

// Presses and releases a key in the focused control of window's thread.
void pressKey(HWND window, UINT virtualKey);

// Brings window to the front, then types modifier+key from the keyboard, as a
// user does (SendInput: the system's own key state, accelerators and mnemonics).
void pressChordInFront(HWND window, WORD modifier, WORD key);

// Returns once the program's UI thread has handled everything posted to marker's
// thread before this call (it posts a marker behind them and waits for it); marker
// is an edit control or a list view.
void waitForIdle(HWND marker, milliseconds timeout = defaultTimeout);

} // namespace e2e
