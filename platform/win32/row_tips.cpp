#include "platform/win32/row_tips.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace platform::win32 {

namespace {

// Timer ids on the list view, far from the small ones it uses itself.
constexpr UINT_PTR pointerTimer = 0x7470;
constexpr UINT_PTR focusTimer = 0x7471;

UINT pointerRestMilliseconds() {
    UINT hover = 0;
    if (!SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hover, 0) || hover == 0) {
        hover = 400;
    }
    return hover;
}

TTTOOLINFOW toolOf(HWND list, const wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = list;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

bool contains(const RECT& area, POINT at) {
    return PtInRect(&area, at) != FALSE;
}

} // namespace

RowTips::RowTips(HWND list, CheckList& rows) : list_(list), rows_(rows) {
    tip_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(list, GA_ROOT), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    if (!tip_) {
        throw std::runtime_error("cannot make the rows' tip");
    }
    auto tool = toolOf(list_, L"");
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

RowTips::~RowTips() {
    if (IsWindow(list_)) {
        KillTimer(list_, pointerTimer);
        KillTimer(list_, focusTimer);
    }
    DestroyWindow(tip_);
}

bool RowTips::onListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && (wParam == pointerTimer || wParam == focusTimer)) {
        timerElapsed(static_cast<UINT_PTR>(wParam));
        return true;
    }
    switch (message) {
    case WM_MOUSEMOVE:
        pointerMoved(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        break;
    case WM_MOUSELEAVE:
        pointerLeft();
        break;
    case WM_SETFOCUS:
        focusRow_ = -1; // the focused row's tip comes after the dwell, as for a move
        focusMoved(static_cast<int>(
            SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
        break;
    case WM_KILLFOCUS:
        KillTimer(list_, focusTimer);
        if (shownFor_ == Cause::focus) {
            hide();
        }
        break;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_CANCELMODE: // Escape
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        hide();
        break;
    default:
        break;
    }
    return false;
}

void RowTips::rowsReplaced() {
    hide();
    KillTimer(list_, focusTimer);
    pointerRow_ = -1;
    focusRow_ = -1;
}

void RowTips::focusMoved(int row) {
    if (row == focusRow_) {
        return;
    }
    focusRow_ = row;
    if (shownFor_ == Cause::focus || (shownFor_ == Cause::pointer && row >= 0)) {
        hide();
    }
    KillTimer(list_, focusTimer);
    if (row >= 0 && GetFocus() == list_) {
        SetTimer(list_, focusTimer, focusDwellMilliseconds, nullptr);
    }
}

void RowTips::fillInfoTip(NMLVGETINFOTIPW& tip) {
    systemSendsInfoTips_ = true;
    if (shownFor_ == Cause::pointer) {
        hide();
    }
    if (tip.iItem < 0 || !tip.pszText || tip.cchTextMax <= 0 || !rows_.tipText) {
        return;
    }
    const std::wstring text = rows_.tipText(static_cast<std::size_t>(tip.iItem));
    const auto length = std::min(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
    std::copy_n(text.data(), length, tip.pszText);
    tip.pszText[length] = L'\0';
}

void RowTips::refresh(std::size_t row) {
    if (shownRow_ >= 0 && static_cast<std::size_t>(shownRow_) == row) {
        show(shownRow_, shownFor_);
    }
}

void RowTips::hide() {
    KillTimer(list_, pointerTimer);
    if (shownRow_ >= 0) {
        auto tool = toolOf(list_, L"");
        SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    }
    shownRow_ = -1;
    shownFor_ = Cause::none;
}

void RowTips::pointerMoved(POINT at) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, list_, 0};
        trackingLeave_ = TrackMouseEvent(&leave) != FALSE;
    }
    const int row = rowAt(at);
    if (row == pointerRow_) {
        // Moved onto the tip's place (it lets the pointer through): out of the way.
        RECT shown{};
        POINT onScreen = at;
        ClientToScreen(list_, &onScreen);
        if (shownRow_ >= 0 && GetWindowRect(tip_, &shown) && contains(shown, onScreen)) {
            place(shownRow_);
        }
        return;
    }
    pointerRow_ = row;
    if (shownFor_ == Cause::pointer) {
        hide();
    }
    KillTimer(list_, pointerTimer);
    if (row >= 0 && !systemSendsInfoTips_) {
        SetTimer(list_, pointerTimer, pointerRestMilliseconds(), nullptr);
    }
}

void RowTips::pointerLeft() {
    trackingLeave_ = false;
    pointerRow_ = -1;
    KillTimer(list_, pointerTimer);
    if (shownFor_ == Cause::pointer) {
        hide();
    }
}

void RowTips::timerElapsed(UINT_PTR id) {
    if (id == pointerTimer) {
        KillTimer(list_, pointerTimer);
        if (pointerRow_ >= 0) {
            show(pointerRow_, Cause::pointer);
        }
    } else if (id == focusTimer) {
        KillTimer(list_, focusTimer);
        if (focusRow_ >= 0 && GetFocus() == list_) {
            show(focusRow_, Cause::focus);
        }
    }
}

void RowTips::show(int row, Cause cause) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.count() || !rows_.tipText) {
        return;
    }
    const std::wstring text = rows_.tipText(static_cast<std::size_t>(row));
    if (text.empty()) {
        hide();
        return;
    }
    RECT client{};
    GetClientRect(list_, &client);
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, std::max<LONG>(client.right - client.left, 100));
    auto tool = toolOf(list_, text.c_str());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    shownRow_ = row;
    shownFor_ = cause;
    place(row);
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    place(row); // its size is known once it is up
}

// Below the row, from the end of its check box; above it where the tip would
// cover the pointer or run off the screen's work area.
void RowTips::place(int row) {
    RECT label{LVIR_LABEL, 0, 0, 0};
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    if (!SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&label)) ||
        !SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&bounds))) {
        hide();
        return;
    }
    // A little apart from the row: the tooltip may draw a pixel outside its point.
    const LONG gap = std::max<LONG>(2, (bounds.bottom - bounds.top) / 8);
    POINT below{label.left, bounds.bottom + gap};
    POINT above{label.left, bounds.top - gap};
    ClientToScreen(list_, &below);
    ClientToScreen(list_, &above);
    RECT size{};
    GetWindowRect(tip_, &size);
    const LONG width = size.right - size.left;
    const LONG height = size.bottom - size.top;

    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(list_, MONITOR_DEFAULTTONEAREST), &monitor);
    POINT pointer{};
    GetCursorPos(&pointer);
    const RECT underneath{below.x, below.y, below.x + width, below.y + height};
    const bool coversPointer = contains(underneath, pointer);
    const bool offScreen = underneath.bottom > monitor.rcWork.bottom;
    POINT at = below;
    if (coversPointer || offScreen) {
        at = POINT{above.x, above.y - height};
    }
    at.x = std::clamp<LONG>(at.x, monitor.rcWork.left,
                            std::max(monitor.rcWork.left, monitor.rcWork.right - width));
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
}

int RowTips::rowAt(POINT at) const {
    LVHITTESTINFO hit{};
    hit.pt = at;
    const auto row =
        static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) ? row : -1;
}

} // namespace platform::win32
