#include "platform/win32/form_window.h"

#include "platform/control_order.h"
#include "platform/twips.h"
#include "platform/win32/background_thread.h"
#include "platform/win32/close_during_wait.h"
#include "platform/win32/dpi.h"
#include "platform/win32/layout.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/program_icon.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <stdexcept>

namespace platform::win32 {

namespace {

// Windows that stay out of the taskbar are owned by this hidden window.
HWND hiddenOwner() {
    static const WindowHandle owner(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0,
                                                    nullptr, nullptr, GetModuleHandleW(nullptr),
                                                    nullptr));
    if (!owner) {
        throw std::runtime_error("cannot create the hidden owner window");
    }
    return owner.get();
}

// Per-monitor DPI messages, named here for headers that lack them.
constexpr UINT dpiChangedMessage = 0x02E0;    // WM_DPICHANGED
constexpr UINT dpiScaledSizeMessage = 0x02E4; // WM_GETDPISCALEDSIZE

// Sent by the shell to a window once its taskbar button exists, and again when
// the shell restarts.
UINT taskbarButtonCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
    return message;
}

} // namespace

ATOM FormWindow::windowClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = L"PlatformForm";
        const ATOM registered = RegisterClassExW(&windowClass);
        if (!registered) {
            throw std::runtime_error("cannot register the form window class");
        }
        return registered;
    }();
    return atom;
}

FormWindow::FormWindow(Form& form) : form_(form), dpi_(systemDpi()) {
    try {
        createWindow();
        dpi_ = dpiOfWindow(window_).value_or(systemDpi());
        createChildren();
        layOutForm(form_.design(), dpi_, *this);
    } catch (...) {
        destroy();
        throw;
    }
    for (std::size_t index = 0; index < children_.size(); ++index) {
        if (children_[index]) {
            form_.controls()[index]->attach(children_[index].get());
        }
    }
}

FormWindow::~FormWindow() {
    destroy();
}

// Made at its size for the system DPI; the layout then sizes it for the DPI of
// the monitor it is on. Window positions are desktop coordinates, in the system
// DPI. A window opened from another (a modal one) starts on that one's monitor.
void FormWindow::createWindow() {
    const auto& design = form_.design();
    const DWORD extendedStyle = extendedStyleOf(design.border);
    const int desktopDpi = systemDpi();
    RECT outer{0, 0, clientPixelWidth(design, desktopDpi), clientPixelHeight(design, desktopDpi)};
    AdjustWindowRectEx(&outer, formStyle, FALSE, extendedStyle);
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    if (design.position) {
        x = twipsToPixels(design.position->x, desktopDpi);
        y = twipsToPixels(design.position->y, desktopDpi);
    } else if (HWND opener = frontmostEnabled()) {
        RECT openerBounds{};
        GetWindowRect(opener, &openerBounds);
        x = openerBounds.left;
        y = openerBounds.top;
    }
    HWND owner = design.showInTaskbar ? nullptr : hiddenOwner();

    const HWND created =
        CreateWindowExW(extendedStyle, MAKEINTATOM(windowClass()), design.caption.c_str(),
                        formStyle, x, y, outer.right - outer.left, outer.bottom - outer.top, owner,
                        nullptr, GetModuleHandleW(nullptr), this);
    if (!created) {
        throw std::runtime_error("cannot create a form window");
    }
    // A program run elevated gets no registered messages from the shell, which
    // runs at a lower integrity level, unless it lets this one in.
    if (design.showInTaskbar) {
        ChangeWindowMessageFilterEx(created, taskbarButtonCreatedMessage(), MSGFLT_ALLOW, nullptr);
    }
    addFormCommands();
}

// Child windows go in the z-order of controlOrder: labels just before what they
// name, otherwise tab order. The Tab key walks tabStops_ itself, so z-order and
// tab order may differ; the arrow keys walk option groups in z-order.
void FormWindow::createChildren() {
    const auto& design = form_.design();
    const auto& controls = form_.controls();
    const ControlOrder order = controlOrder(design);
    children_.resize(controls.size());

    HWND previousWindow = HWND_TOP;
    for (const std::size_t index : order.zOrder) {
        const ControlSpec& control = design.controls[index];
        ChildPlacement placement;
        placement.parent = window_;
        placement.id = firstControlId + static_cast<int>(index);
        placement.startsGroup = order.startsGroup[index];
        placement.tabStop = takesFocus(control);
        children_[index] = createControlWindow(*controls[index], placement);

        const HWND child = children_[index]->window();
        SetWindowPos(child, previousWindow, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previousWindow = child;

        if (control.kind == ControlKind::CommandButton) {
            if (control.isDefault && !defaultButton_) {
                defaultButton_ = child;
            }
            if (control.isCancel && !cancelButton_) {
                cancelButton_ = child;
            }
        }
    }
    for (const auto& stop : order.tabStops) {
        tabStops_.emplace_back();
        for (const std::size_t index : stop) {
            tabStops_.back().push_back(children_[index]->window());
        }
    }
}

FormWindow* FormWindow::of(HWND window) {
    if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() ||
        GetClassLongPtrW(window, GCW_ATOM) != windowClass()) {
        return nullptr;
    }
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND FormWindow::frontmostEnabled() {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (of(window) && IsWindowVisible(window) && IsWindowEnabled(window)) {
            return window;
        }
    }
    return nullptr;
}

// ---- WindowPeer

void FormWindow::show() {
    if (!window_) {
        return;
    }
    followMonitor();
    ShowWindow(window_, SW_SHOW);
    // Shown before, or shown while another program is active: bring it up and
    // give its controls the focus all the same.
    SetActiveWindow(window_);
    if (!GetFocus() || !IsChild(window_, GetFocus())) {
        restoreFocus();
    }
    UpdateWindow(window_);
}

void FormWindow::destroy() {
    if (!window_) {
        return;
    }
    destroying_ = true;
    // Enabled again before this window goes, so that the one active before it is
    // activated, not some other program's window.
    endModal();
    if (!DestroyWindow(window_)) {
        window_ = nullptr;
    }
}

TwipsRect FormWindow::outerBounds() const {
    RECT bounds{};
    if (window_) {
        GetWindowRect(window_, &bounds);
    }
    // Desktop coordinates, like the screen's size.
    const int dpi = systemDpi();
    return TwipsRect{pixelsToTwips(bounds.left, dpi), pixelsToTwips(bounds.top, dpi),
                     pixelsToTwips(bounds.right - bounds.left, dpi),
                     pixelsToTwips(bounds.bottom - bounds.top, dpi)};
}

void FormWindow::moveTo(int leftTwips, int topTwips) {
    if (window_) {
        const int dpi = systemDpi();
        SetWindowPos(window_, nullptr, twipsToPixels(leftTwips, dpi), twipsToPixels(topTwips, dpi),
                     0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// ---- Messages

LRESULT CALLBACK FormWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // A handler may unload the form and so delete `self`: nothing here touches it
    // after handleMessage returns.
    LRESULT result = 0;
    runGuarded([&] { result = self->handleMessage(window, message, wParam, lParam); });
    return result;
}

LRESULT FormWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // While a handler waits for the network only sent messages get through, and a
    // command among them (a button pressed by an accessibility tool) would start
    // a handler inside the running one: it waits its turn instead. A close ends
    // the wait and the program.
    if (waitingResponsively()) {
        if (message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)) {
            askToClose();
            return 0;
        }
        if (message == WM_COMMAND) {
            PostMessageW(window, message, wParam, lParam);
            return 0;
        }
    }
    if (message == taskbarButtonCreatedMessage() && message != 0) {
        taskbarButton_ = true;
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        if (runSystemMenuCommand(wParam)) {
            return 0;
        }
        break;
    case WM_DROPFILES:
        onDropFiles(wParam);
        return 0;
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE:
        // A window that a modal one has disabled takes no input, a posted close neither.
        if (IsWindowEnabled(window) && !destroying_) {
            form_.userClosed();
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            rememberFocus();
            break;
        }
        if (!HIWORD(wParam)) { // not minimised
            restoreFocus();
            return 0;
        }
        break;
    case WM_CANCELMODE:
        // Sent first when the window is disabled, which takes away the focus.
        rememberFocus();
        break;
    case WM_SETFOCUS:
        restoreFocus();
        return 0;
    case WM_SETCURSOR:
        // Over the form and its controls, a handler's wait shows as the wait cursor.
        if (showsWaitPointer()) {
            SetCursor(waitCursor());
            return TRUE;
        }
        break;
    case dpiScaledSizeMessage: {
        const int dpi = static_cast<int>(wParam);
        const auto& design = form_.design();
        *reinterpret_cast<SIZE*>(lParam) =
            outerSize(clientPixelWidth(design, dpi), clientPixelHeight(design, dpi), dpi);
        return TRUE;
    }
    case dpiChangedMessage:
        onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case DM_GETDEFID: {
        // Enter presses the focused push button, else the default button.
        HWND focus = GetFocus();
        HWND button = isCommandButton(focus) ? focus : defaultButton_;
        if (button) {
            return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
        }
        return 0;
    }
    case DM_SETDEFID:
        return FALSE;
    case WM_NEXTDLGCTL:
        if (LOWORD(lParam)) {
            focusByKeyboard(reinterpret_cast<HWND>(wParam));
        } else {
            moveFocus(wParam != 0);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(window, &paint)) {
            paintLines(dc);
            EndPaint(window, &paint);
        }
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void FormWindow::onCommand(WORD id, WORD code) {
    if (destroying_) {
        return;
    }
    if (id == IDCANCEL) {
        pressCancel();
        return;
    }
    ChildWindow* child = childById(id);
    if (!child) {
        return; // IDOK from Enter with no default button: nothing to press
    }
    // Clicks reach a disabled form only when sent from outside; it ignores them.
    if (code == BN_CLICKED && !IsWindowEnabled(window_)) {
        return;
    }
    child->onCommand(code);
}

LRESULT FormWindow::onNotify(const NMHDR& header) {
    ChildWindow* child = childById(static_cast<int>(header.idFrom));
    return child ? child->onNotify(header) : 0;
}

void FormWindow::paintLines(HDC dc) const {
    const auto& design = form_.design();
    for (const auto& line : design.controls) {
        if (line.kind != ControlKind::Line) {
            continue;
        }
        const auto ends = linePixelEnds(design, line, dpi_);
        const int width = std::max(1, scaleFrom96(line.lineWidthPixels, dpi_));
        const COLORREF color = line.lineColor & 0xFFFFFF;
        if (ends.from.y == ends.to.y || ends.from.x == ends.to.x) {
            // Level and upright lines grow right and down from their ends, so a
            // thick line lies beside a thin one instead of on it.
            const BrushHandle brush(CreateSolidBrush(color));
            RECT area{std::min(ends.from.x, ends.to.x), std::min(ends.from.y, ends.to.y),
                      std::max(ends.from.x, ends.to.x), std::max(ends.from.y, ends.to.y)};
            if (area.top == area.bottom) {
                area.bottom += width;
            } else {
                area.right += width;
            }
            FillRect(dc, &area, brush.get());
            continue;
        }
        LOGBRUSH look{BS_SOLID, color, 0};
        const PenHandle pen(
            ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, width, &look, 0, nullptr));
        const SelectedObject selected(dc, pen.get());
        MoveToEx(dc, ends.from.x, ends.from.y, nullptr);
        LineTo(dc, ends.to.x, ends.to.y);
    }
}

} // namespace platform::win32

namespace platform {

std::unique_ptr<WindowPeer> createWindowPeer(Form& form) {
    return std::make_unique<win32::FormWindow>(form);
}

} // namespace platform
