// The tip beside a check list's row: for the row the pointer rests on and for
// the row that gets the focus from the keyboard, with the text the control's
// tipText gives. Wine 8's list view sends no LVN_GETINFOTIP, neither on hover
// nor on focus, so the tip is a tracking tooltip of our own; where the system
// does send it (Windows, on hover), the list view's own info tip answers for the
// pointer, and this one only for the focus.
//
// The tip goes below the row (above it where it would cover the pointer or
// leave the screen), starting right of the check boxes, so that it never hides
// a check box nor the row under the pointer. It goes away as the pointer leaves
// the row, as the focus moves, on Escape (WM_CANCELMODE), on a scroll and when
// the list changes.
#pragma once

#include "platform/controls.h"

#include <windows.h>

#include <commctrl.h>

namespace platform::win32 {

class RowTips {
public:
    RowTips(HWND list, CheckList& rows);
    ~RowTips();
    RowTips(const RowTips&) = delete;
    RowTips& operator=(const RowTips&) = delete;

    // The list view's messages, before it handles them; true for one of ours
    // (a timer), which the list view must not see.
    bool onListMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // LVN_ITEMCHANGED: the focus went to this row.
    void focusMoved(int row);
    // LVN_GETINFOTIP: the system's own tip wants the row's text.
    void fillInfoTip(NMLVGETINFOTIPW& tip);

    void refresh(std::size_t row); // the row's text changed
    void hide();
    void rowsReplaced(); // a new list: no row is under the pointer or focused yet

    // How long the focus rests on a row before its tip is asked for: longer than
    // the fastest key repeat (about 33 ms), so that a run through the rows with a
    // held arrow key asks for none of the rows it passes.
    static constexpr UINT focusDwellMilliseconds = 50;

private:
    enum class Cause { none, pointer, focus };

    HWND list_;
    CheckList& rows_;
    HWND tip_ = nullptr;
    int shownRow_ = -1;
    Cause shownFor_ = Cause::none;
    int pointerRow_ = -1;
    int focusRow_ = -1;
    bool trackingLeave_ = false;
    bool systemSendsInfoTips_ = false;

    void pointerMoved(POINT at);
    void pointerLeft();
    void timerElapsed(UINT_PTR id);
    void show(int row, Cause cause);
    void place(int row);
    int rowAt(POINT at) const;
};

} // namespace platform::win32
