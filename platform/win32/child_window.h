// The Win32 peer of one control: a child window of its form, placed by the form,
// told about the notifications its window sends to the form.
#pragma once

#include "platform/controls.h"
#include "platform/win32/layout.h"

#include <windows.h>

#include <memory>
#include <string>

namespace platform::win32 {

class ChildWindow : public ControlPeer {
public:
    explicit ChildWindow(HWND window) : window_(window) {}
    HWND window() const { return window_; }

    // WM_COMMAND and WM_NOTIFY from this window, as the form receives them; the
    // result of onNotify is the form's answer to the notification.
    virtual void onCommand(WORD) {}
    virtual LRESULT onNotify(const NMHDR&) { return 0; }
    // The keyboard moved the focus here (Tab, or the form getting it first).
    virtual void focusedByKeyboard() {}

    // Set from the form's layout at its DPI, when it is made and on each DPI
    // change; the form owns the font and frees the one before after this.
    virtual void useFont(HFONT font);
    virtual void sizeIcon(int) {}
    virtual void sizeCheckBoxes(int /*pixels*/, int /*dpi*/) {}

    void showText(const std::wstring& text) override;

protected:
    HWND window_;
};

// How a new child window goes in; the form's layout places and sizes it.
struct ChildPlacement {
    HWND parent = nullptr;
    int id = 0;
    bool startsGroup = false; // WS_GROUP: ends the option group before it
    bool tabStop = false;     // WS_TABSTOP
};

// A child window of the class given, with WS_CHILD | WS_VISIBLE and the
// placement's group, tab stop and id, still without size. Throws when it cannot be made.
HWND createChildWindow(const wchar_t* className, const std::wstring& text, DWORD style,
                       DWORD extendedStyle, const ChildPlacement& placement);

// The peer and window for a control; nullptr for a line, which has no window.
std::unique_ptr<ChildWindow> createControlWindow(Control& control, const ChildPlacement& placement);
std::unique_ptr<ChildWindow> createCheckListWindow(CheckList& list,
                                                   const ChildPlacement& placement);

std::wstring windowText(HWND window);

} // namespace platform::win32
