#include "tests/e2e/driver/expected_layout.h"

#include "platform/twips.h"
#include "platform/win32/layout.h"
#include "tests/e2e/driver/check.h"

namespace e2e {

namespace {

const platform::ControlSpec& controlNamed(const platform::FormSpec& form, std::wstring_view name) {
    for (const auto& control : form.controls) {
        if (control.name == name) {
            return control;
        }
    }
    fail("the expected layout of " + utf8(form.name) + " has no control " + describe(name));
}

} // namespace

RECT expectedClientRect(const platform::FormSpec& form, std::wstring_view controlName, int dpi) {
    const auto& control = controlNamed(form, controlName);
    int left = control.rect.left;
    int top = control.rect.top;
    for (auto container = control.container; !container.empty();) {
        const auto& outer = controlNamed(form, container);
        left += outer.rect.left;
        top += outer.rect.top;
        container = outer.container;
    }
    const int x = platform::twipsToPixels(left, dpi);
    const int y = platform::twipsToPixels(top, dpi);
    return RECT{x, y, x + platform::twipsToPixels(control.rect.width, dpi),
                y + platform::twipsToPixels(control.rect.height, dpi)};
}

SIZE expectedClientSize(const platform::FormSpec& form, int dpi) {
    return SIZE{platform::twipsToPixels(form.clientWidth, dpi),
                platform::twipsToPixels(form.clientHeight, dpi)};
}

POINT expectedScreenPosition(const platform::FormSpec& form, int dpi) {
    require(form.position.has_value(), "the form has no designed position");
    return POINT{platform::twipsToPixels(form.position->x, dpi),
                 platform::twipsToPixels(form.position->y, dpi)};
}

std::wstring_view expectedWindowClass(platform::ControlKind kind) {
    // Which class shows a picture box is the backend's choice; the others are the
    // standard controls.
    const wchar_t* name = platform::win32::windowClassOf(kind);
    return name == nullptr ? std::wstring_view{} : std::wstring_view{name};
}

} // namespace e2e
