// Where a form's window and controls must be, in pixels, computed from a twips
// table: each control's position is its container chain's twips offset plus its
// own, rounded once; its size is rounded on its own.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/form_spec.h"

namespace e2e {

// The control's rectangle relative to the form's client area.
RECT expectedClientRect(const platform::FormSpec& form, std::wstring_view controlName, int dpi);

SIZE expectedClientSize(const platform::FormSpec& form, int dpi);

// The window's outer top-left on the screen; the form must have a position.
POINT expectedScreenPosition(const platform::FormSpec& form, int dpi);

// Window class that shows a control of this kind.
std::wstring_view expectedWindowClass(platform::ControlKind kind);

} // namespace e2e
