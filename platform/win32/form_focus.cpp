// A form's focus and keyboard interface: the tab stops in tab order (an option
// group is one stop), the focus kept while the window is inactive, and the
// default and cancel buttons.
#include "platform/win32/form_window.h"

#include <algorithm>

namespace platform::win32 {

namespace {

bool canFocus(HWND window) {
    return IsWindowVisible(window) && IsWindowEnabled(window);
}

} // namespace

ChildWindow* FormWindow::childById(int id) const {
    const int index = id - firstControlId;
    if (index < 0 || index >= static_cast<int>(children_.size())) {
        return nullptr;
    }
    return children_[static_cast<std::size_t>(index)].get();
}

ChildWindow* FormWindow::childByWindow(HWND window) const {
    if (!window || GetParent(window) != window_) {
        return nullptr;
    }
    return childById(GetDlgCtrlID(window));
}

bool FormWindow::isCommandButton(HWND window) const {
    const ChildWindow* child = childByWindow(window);
    if (!child) {
        return false;
    }
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(window) - firstControlId);
    return form_.design().controls[index].kind == ControlKind::CommandButton;
}

void FormWindow::rememberFocus() {
    HWND focus = GetFocus();
    if (focus && window_ && IsChild(window_, focus)) {
        lastFocus_ = focus;
    }
}

void FormWindow::restoreFocus() {
    if (lastFocus_ && IsWindow(lastFocus_) && canFocus(lastFocus_)) {
        SetFocus(lastFocus_);
    } else {
        focusFirstTabStop();
    }
}

void FormWindow::focusFirstTabStop() {
    focusStopAfter(tabStops_.size(), false);
}

void FormWindow::moveFocus(bool backwards) {
    const HWND focus = GetFocus();
    std::size_t current = tabStops_.size(); // none
    for (std::size_t stop = 0; stop < tabStops_.size(); ++stop) {
        const auto& windows = tabStops_[stop];
        if (std::find(windows.begin(), windows.end(), focus) != windows.end()) {
            current = stop;
            break;
        }
    }
    focusStopAfter(current, backwards);
}

// The next stop that can take the focus, after (or before) `current`; from the
// first (or last) stop when `current` is none of them.
void FormWindow::focusStopAfter(std::size_t current, bool backwards) {
    const std::size_t count = tabStops_.size();
    for (std::size_t step = 1; step <= count; ++step) {
        std::size_t stop;
        if (current >= count) {
            stop = backwards ? count - step : step - 1;
        } else {
            stop = backwards ? (current + count - step) % count : (current + step) % count;
        }
        if (HWND target = focusTargetOf(tabStops_[stop])) {
            focusByKeyboard(target);
            return;
        }
    }
}

// In an option group the keyboard lands on the selected button, else on the first.
HWND FormWindow::focusTargetOf(const std::vector<HWND>& stop) {
    if (stop.size() > 1) {
        for (HWND window : stop) {
            if (canFocus(window) && SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                return window;
            }
        }
    }
    const auto first = std::find_if(stop.begin(), stop.end(), canFocus);
    return first == stop.end() ? nullptr : *first;
}

void FormWindow::focusByKeyboard(HWND window) {
    SetFocus(window);
    lastFocus_ = window;
    if (ChildWindow* child = childByWindow(window)) {
        child->focusedByKeyboard();
    }
}

void FormWindow::pressCancel() {
    if (cancelButton_) {
        pressButton(cancelButton_);
    }
}

void FormWindow::pressButton(HWND button) {
    if (IsWindowEnabled(button)) {
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
}

} // namespace platform::win32
