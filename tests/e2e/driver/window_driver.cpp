#include "tests/e2e/driver/window_driver.h"

#include "platform/twips.h"
#include "platform/win32/layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/ui.h"

namespace e2e {

namespace {

using platform::ControlKind;

std::wstring_view windowClassOf(const platform::ControlSpec& control) {
    const wchar_t* name = platform::win32::windowClassOf(control.kind);
    return name == nullptr ? std::wstring_view{} : std::wstring_view{name};
}

bool showsText(ControlKind kind) {
    return kind != ControlKind::Line && kind != ControlKind::PictureBox &&
           kind != ControlKind::CheckList;
}

} // namespace

WindowDriver::WindowDriver(DWORD processId, platform::FormSpec design, int dpi)
    : design_(std::move(design)), dpi_(dpi), desktopDpi_(dpi),
      window_(waitForTopLevelWindow(processId, design_.caption)) {}

const platform::ControlSpec& WindowDriver::designOf(std::wstring_view name) const {
    for (const auto& control : design_.controls) {
        if (control.name == name) {
            return control;
        }
    }
    fail("the table of " + utf8(design_.name) + " has no control " + describe(name));
}

RECT WindowDriver::expectedRect(const platform::ControlSpec& control) const {
    const auto rect = platform::win32::shownPixelRect(design_, control, dpi_);
    return RECT{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

HWND WindowDriver::find(std::wstring_view name) {
    if (const auto known = found_.find(name); known != found_.end()) {
        return known->second;
    }
    const auto& control = designOf(name);
    const RECT expected = expectedRect(control);
    std::vector<HWND> matches;
    for (HWND child : descendants(window_)) {
        const RECT actual = rectInClientOf(child, window_);
        if (hasClass(child, windowClassOf(control)) && EqualRect(&actual, &expected)) {
            matches.push_back(child);
        }
    }
    if (matches.size() != 1) {
        return nullptr;
    }
    found_.emplace(std::wstring(name), matches.front());
    return matches.front();
}

std::string WindowDriver::misplaced(const platform::ControlSpec& control) {
    std::string seen;
    for (HWND child : descendants(window_)) {
        if (hasClass(child, windowClassOf(control))) {
            seen.append("\n      ").append(describe(rectInClientOf(child, window_)));
            seen.append(" ").append(describe(windowText(child)));
        }
    }
    return utf8(control.name) + ": no single window of class " + utf8(windowClassOf(control)) +
           " at " + describe(expectedRect(control)) +
           "; the windows of that class:" + (seen.empty() ? " none" : seen);
}

HWND WindowDriver::control(std::wstring_view name) {
    HWND window = find(name);
    if (window == nullptr) {
        fail(misplaced(designOf(name)));
    }
    return window;
}

std::wstring WindowDriver::nameOf(HWND window) {
    for (const auto& control : design_.controls) {
        if (window != nullptr && control.kind != ControlKind::Line &&
            find(control.name) == window) {
            return control.name;
        }
    }
    return window == nullptr ? L"(nothing)" : L"(a window of class " + className(window) + L")";
}

HWND WindowDriver::focused() const {
    return focusedWindow(window_);
}

std::wstring WindowDriver::text(std::wstring_view name) {
    return windowText(control(name));
}

bool WindowDriver::checked(std::wstring_view name) {
    return isChecked(control(name));
}

void WindowDriver::type(std::wstring_view name, std::wstring_view text) {
    typeText(control(name), text);
    waitForIdle();
}

HWND WindowDriver::idleMarker() {
    for (const auto& control : design_.controls) {
        if (control.kind == ControlKind::TextBox || control.kind == ControlKind::CheckList) {
            return this->control(control.name);
        }
    }
    return nullptr;
}

void WindowDriver::click(std::wstring_view name, milliseconds timeout) {
    clickButton(control(name));
    if (HWND marker = idleMarker()) {
        e2e::waitForIdle(marker, timeout);
    }
}

void WindowDriver::press(UINT virtualKey) {
    pressKey(window_, virtualKey);
    if (HWND marker = idleMarker()) {
        e2e::waitForIdle(marker);
    }
}

void WindowDriver::waitForIdle(milliseconds timeout) {
    HWND marker = idleMarker();
    require(marker != nullptr,
            utf8(design_.name) + " has no text box or list to tell when the program is idle");
    e2e::waitForIdle(marker, timeout);
}

void WindowDriver::changeDpi(int dpi) {
    RECT outer{};
    GetWindowRect(window_, &outer);
    const SIZE client = clientSize(window_);
    // Wine draws frames alike at every DPI: the frame stays as it is.
    const RECT suggested{outer.left, outer.top,
                         outer.right + platform::win32::clientPixelWidth(design_, dpi) - client.cx,
                         outer.bottom + platform::win32::clientPixelHeight(design_, dpi) -
                             client.cy};
    sendDpiChange(window_, dpi, suggested);
    dpi_ = dpi;
    found_.clear();
}

void WindowDriver::checkLayout() {
    const SIZE size = clientSize(window_);
    note(utf8(design_.name) + ": client area " + std::to_string(size.cx) + " x " +
         std::to_string(size.cy) + " pixels at " + std::to_string(dpi_) + " DPI");
    checkEqual(size.cx, platform::win32::clientPixelWidth(design_, dpi_), "client width");
    checkEqual(size.cy, platform::win32::clientPixelHeight(design_, dpi_), "client height");
    // A fixed border: caption and close box only; a dialog frame for a dialog.
    const auto style = GetWindowLongW(window_, GWL_STYLE);
    check((style & (WS_CAPTION | WS_SYSMENU)) == (WS_CAPTION | WS_SYSMENU) &&
              !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)),
          "a fixed border with caption and close box only");
    check(design_.border != platform::BorderStyle::FixedDialog ||
              (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME),
          "a dialog frame");
    if (design_.position) {
        RECT outer{};
        GetWindowRect(window_, &outer);
        checkEqual(outer.left, platform::twipsToPixels(design_.position->x, desktopDpi_),
                   "window left on the screen");
        checkEqual(outer.top, platform::twipsToPixels(design_.position->y, desktopDpi_),
                   "window top on the screen");
    }
    for (const auto& control : design_.controls) {
        check(control.kind == ControlKind::Line || find(control.name) != nullptr,
              misplaced(control));
    }
}

void WindowDriver::checkTexts() {
    for (const auto& control : design_.controls) {
        if (!showsText(control.kind)) {
            continue;
        }
        HWND window = find(control.name);
        if (check(window != nullptr, utf8(control.name) + " is not where the table puts it")) {
            checkEqual(windowText(window), control.text, "text of " + utf8(control.name));
        }
    }
}

} // namespace e2e
