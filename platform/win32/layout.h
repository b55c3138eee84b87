// Where the controls of a FormSpec land in pixels, and which window class shows
// each kind. Pure functions, so a test driver computes the same rectangles from the
// same table.
//
// The one rounding rule, for every control at every depth of containers:
//   left = twipsToPixels(twips offset of the container chain + own left, dpi)
//   top  = twipsToPixels(twips offset of the container chain + own top, dpi)
//   width = twipsToPixels(own width, dpi), height = twipsToPixels(own height, dpi)
// Rounding the summed position (not adding rounded offsets) puts a control inside a
// frame on the same pixel as one placed on the form at the same spot.
#pragma once

#include "platform/form_spec.h"
#include "platform/twips.h"

#include <cstddef>
#include <stdexcept>
#include <string>

namespace platform::win32 {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// A length given in pixels at 96 DPI, at another DPI; halves round away from zero.
constexpr int scaleFrom96(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96));
}

// Twips offset of the control's container chain from the form's client area.
inline TwipsPoint containerOffsetTwips(const FormSpec& form, const ControlSpec& control) {
    TwipsPoint offset;
    std::wstring container = control.container;
    // A chain longer than the table can only be a cycle.
    for (std::size_t depth = 0; !container.empty(); ++depth) {
        if (depth >= form.controls.size()) {
            throw std::logic_error("containers of a control form a cycle");
        }
        const ControlSpec* found = nullptr;
        for (const auto& candidate : form.controls) {
            if (candidate.name == container) {
                found = &candidate;
                break;
            }
        }
        if (!found) {
            throw std::logic_error("a control names a container that is not in the table");
        }
        offset.x += found->rect.left;
        offset.y += found->rect.top;
        container = found->container;
    }
    return offset;
}

// The control's rectangle in the form's client area (a window's client rectangle
// mapped to the form's client coordinates).
inline PixelRect controlPixelRect(const FormSpec& form, const ControlSpec& control, int dpi) {
    const auto offset = containerOffsetTwips(form, control);
    return PixelRect{twipsToPixels(offset.x + control.rect.left, dpi),
                     twipsToPixels(offset.y + control.rect.top, dpi),
                     twipsToPixels(control.rect.width, dpi),
                     twipsToPixels(control.rect.height, dpi)};
}

// A line's two ends: each end's summed twips position rounded on its own.
struct PixelLine {
    PixelPoint from;
    PixelPoint to;
};

inline PixelLine linePixelEnds(const FormSpec& form, const ControlSpec& line, int dpi) {
    const auto offset = containerOffsetTwips(form, line);
    const int x = offset.x + line.rect.left;
    const int y = offset.y + line.rect.top;
    return PixelLine{
        {twipsToPixels(x, dpi), twipsToPixels(y, dpi)},
        {twipsToPixels(x + line.rect.width, dpi), twipsToPixels(y + line.rect.height, dpi)}};
}

constexpr int clientPixelWidth(const FormSpec& form, int dpi) {
    return twipsToPixels(form.clientWidth, dpi);
}
constexpr int clientPixelHeight(const FormSpec& form, int dpi) {
    return twipsToPixels(form.clientHeight, dpi);
}

// Size of the program icon as a picture box shows it: 32 x 32 at 96 DPI.
constexpr int iconPixels(int dpi) {
    return scaleFrom96(32, dpi);
}

// The rectangle the control's window gets: its designed one, except that a
// picture box showing the icon sizes itself to the icon.
inline PixelRect shownPixelRect(const FormSpec& form, const ControlSpec& control, int dpi) {
    auto rect = controlPixelRect(form, control, dpi);
    if (control.kind == ControlKind::PictureBox && control.showsIcon) {
        rect.width = rect.height = iconPixels(dpi);
    }
    return rect;
}

// Window class of the child window that shows a control of this kind; nullptr for
// a line, which the form draws itself.
constexpr const wchar_t* pictureBoxClassName = L"PlatformPictureBox";
constexpr const wchar_t* windowClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Frame:
    case ControlKind::OptionButton:
    case ControlKind::CommandButton:
        return L"Button";
    case ControlKind::Label:
        return L"Static";
    case ControlKind::TextBox:
        return L"Edit";
    case ControlKind::PictureBox:
        return pictureBoxClassName;
    case ControlKind::CheckList:
        return L"SysListView32";
    case ControlKind::Line:
        break;
    }
    return nullptr;
}

// Control ids of the child windows: this plus the control's index in the table.
// Clear of IDOK (1) and IDCANCEL (2), which the dialog keys send.
constexpr int firstControlId = 1000;

} // namespace platform::win32
