// Everything of a form's window that depends on the DPI, set from its table through
// one function. The window goes through it when it is made and again on each DPI
// change, so a window moved to another DPI looks exactly like one started there.
// Pure, so that a test follows the same steps natively.
#pragma once

#include "platform/form_spec.h"
#include "platform/twips.h"
#include "platform/win32/layout.h"

#include <cstddef>

namespace platform::win32 {

// The window's small icon and a check list's check box images: 16 x 16 at 96 DPI
// (the big icon is iconPixels).
constexpr int smallIconPixels(int dpi) {
    return scaleFrom96(16, dpi);
}
constexpr int checkBoxPixels(int dpi) {
    return smallIconPixels(dpi);
}
constexpr double formFontPoints = 8.25; // Arial

class FormLayoutTarget {
public:
    virtual ~FormLayoutTarget() = default;
    virtual void useDpi(int dpi) = 0;
    virtual void useFont(int heightPixels) = 0;
    virtual void useWindowIcons(int bigPixels, int smallPixels) = 0;
    virtual void sizeClientArea(int width, int height) = 0;
    // Every control with a window, in table order; a line is drawn from the DPI.
    virtual void placeControl(std::size_t index, const PixelRect& rect) = 0;
    virtual void sizeIcon(std::size_t index, int pixels) = 0;
    virtual void sizeCheckBoxes(std::size_t index, int pixels) = 0;
};

inline void layOutForm(const FormSpec& design, int dpi, FormLayoutTarget& target) {
    target.useDpi(dpi);
    target.useFont(fontHeightPixels(formFontPoints, dpi));
    target.useWindowIcons(iconPixels(dpi), smallIconPixels(dpi));
    target.sizeClientArea(clientPixelWidth(design, dpi), clientPixelHeight(design, dpi));
    for (std::size_t index = 0; index < design.controls.size(); ++index) {
        const ControlSpec& control = design.controls[index];
        if (control.kind == ControlKind::Line) {
            continue;
        }
        target.placeControl(index, shownPixelRect(design, control, dpi));
        if (control.kind == ControlKind::PictureBox && control.showsIcon) {
            target.sizeIcon(index, iconPixels(dpi));
        } else if (control.kind == ControlKind::CheckList) {
            target.sizeCheckBoxes(index, checkBoxPixels(dpi));
        }
    }
}

} // namespace platform::win32
