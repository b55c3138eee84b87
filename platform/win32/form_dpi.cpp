// A form's look at its monitor's DPI: what layOutForm asks of the window, and
// the moves between monitors of different DPIs.
#include "platform/win32/form_window.h"

#include "platform/win32/dpi.h"
#include "platform/win32/program_icon.h"

#include <stdexcept>

namespace platform::win32 {

void FormWindow::useDpi(int dpi) {
    dpi_ = dpi;
}

void FormWindow::useFont(int heightPixels) {
    FontHandle font(CreateFontW(heightPixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
    if (!font) {
        throw std::runtime_error("cannot create the form's font");
    }
    for (const auto& child : children_) {
        if (child) {
            child->useFont(font.get());
        }
    }
    font_ = std::move(font); // the one before is no longer in use
}

void FormWindow::useWindowIcons(int bigPixels, int smallPixels) {
    IconHandle big = loadProgramIcon(bigPixels);
    IconHandle small = loadProgramIcon(smallPixels);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

SIZE FormWindow::outerSize(int clientWidth, int clientHeight, int dpi) const {
    RECT outer{0, 0, clientWidth, clientHeight};
    adjustWindowRectForDpi(outer, formStyle, extendedStyleOf(form_.design().border), dpi);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

void FormWindow::sizeClientArea(int width, int height) {
    const SIZE outer = outerSize(width, height, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::placeControl(std::size_t index, const PixelRect& rect) {
    SetWindowPos(children_[index]->window(), nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::sizeIcon(std::size_t index, int pixels) {
    children_[index]->sizeIcon(pixels);
}

void FormWindow::sizeCheckBoxes(std::size_t index, int pixels) {
    children_[index]->sizeCheckBoxes(pixels, dpi_);
}

// The window moved to a monitor of another DPI (or the DPI of its monitor
// changed): everything is laid out again for it, and the window takes the
// rectangle the system suggests, which WM_GETDPISCALEDSIZE made the right size.
void FormWindow::onDpiChanged(int dpi, const RECT& suggested) {
    if (dpi != dpi_) {
        layOutForm(form_.design(), dpi, *this);
    }
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// A window moved while hidden (a load handler placing it) may have come to
// another monitor without being told.
void FormWindow::followMonitor() {
    const auto dpi = dpiOfWindow(window_);
    if (dpi && *dpi != dpi_) {
        layOutForm(form_.design(), *dpi, *this);
    }
}

} // namespace platform::win32
