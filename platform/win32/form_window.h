// A Form as a top-level window: its controls as child windows, its keyboard
// interface (tab order, option groups, default and cancel buttons), modal showing.
// Made and driven in form_window.cpp; its focus and keys in form_focus.cpp, its
// modal showing in form_modal.cpp, its layout at a DPI in form_dpi.cpp.
#pragma once

#include "platform/form.h"
#include "platform/win32/child_window.h"
#include "platform/win32/form_layout.h"
#include "platform/win32/handles.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace platform::win32 {

class FormWindow final : public WindowPeer, private FormLayoutTarget {
public:
    explicit FormWindow(Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    void show() override;
    void runModal() override;
    void destroy() override;
    TwipsRect outerBounds() const override;
    void moveTo(int leftTwips, int topTwips) override;

    // The form behind a top-level window of this thread; nullptr for any other window.
    static FormWindow* of(HWND window);
    // The topmost visible form that takes input; nullptr when there is none.
    static HWND frontmostEnabled();

    HWND handle() const { return window_; }
    // The shell has made the window's taskbar button ("TaskbarButtonCreated"), so
    // the button can show progress.
    bool hasTaskbarButton() const { return taskbarButton_; }

    // Keys the message loop hands over: Tab / Shift+Tab and Esc.
    void moveFocus(bool backwards);
    void pressCancel();
    // Ctrl and a letter: runs the form's command for it; false when there is none.
    bool runControlLetter(WPARAM virtualKey);

private:
    Form& form_;
    int dpi_; // of the monitor the window is on
    FontHandle font_;
    IconHandle bigIcon_;
    IconHandle smallIcon_;
    HWND window_ = nullptr; // cleared when the window is destroyed
    bool destroying_ = false;
    bool taskbarButton_ = false;

    // Index = the control's index in the table; empty for lines.
    std::vector<std::unique_ptr<ChildWindow>> children_;
    // The keyboard's stops in tab order; the buttons of an option group share one.
    std::vector<std::vector<HWND>> tabStops_;
    HWND defaultButton_ = nullptr;
    HWND cancelButton_ = nullptr;
    HWND lastFocus_ = nullptr;

    bool modal_ = false;
    std::vector<HWND> disabledForModal_;
    HWND activeBeforeModal_ = nullptr;

    // Both borders: fixed, with caption and close box, no minimise or maximise box;
    // a dialog's frame differs only in its extended style.
    static constexpr DWORD formStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    static DWORD extendedStyleOf(BorderStyle border) {
        return border == BorderStyle::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
    }

    static ATOM windowClass();
    static BOOL CALLBACK collectEnabledWindow(HWND window, LPARAM self);
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void createWindow();
    void createChildren();

    // The window's DPI-dependent look, from layOutForm.
    void useDpi(int dpi) override;
    void useFont(int heightPixels) override;
    void useWindowIcons(int bigPixels, int smallPixels) override;
    void sizeClientArea(int width, int height) override;
    void placeControl(std::size_t index, const PixelRect& rect) override;
    void sizeIcon(std::size_t index, int pixels) override;
    void sizeCheckBoxes(std::size_t index, int pixels) override;
    SIZE outerSize(int clientWidth, int clientHeight, int dpi) const;
    void onDpiChanged(int dpi, const RECT& suggested);
    void followMonitor();

    // The form's commands (form_commands.cpp): system menu items and dropped files.
    void addFormCommands();
    bool runSystemMenuCommand(WPARAM id);
    void onDropFiles(WPARAM dropHandle); // an HDROP

    void onCommand(WORD id, WORD code);
    LRESULT onNotify(const NMHDR& header);
    void onActivate(bool active);
    void paintLines(HDC dc) const;

    ChildWindow* childById(int id) const;
    ChildWindow* childByWindow(HWND window) const;
    bool isCommandButton(HWND window) const;
    void rememberFocus();
    void restoreFocus();
    void focusFirstTabStop();
    void focusStopAfter(std::size_t current, bool backwards);
    static HWND focusTargetOf(const std::vector<HWND>& stop);
    void focusByKeyboard(HWND window);
    void pressButton(HWND button);
    void endModal();
};

} // namespace platform::win32
