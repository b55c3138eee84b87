// The modal message box, with the style values and answers of a forms runtime.
#pragma once

#include <string>

namespace platform {

namespace mb {
constexpr int okOnly = 0;
constexpr int yesNo = 4;
constexpr int critical = 16;    // stop icon
constexpr int question = 32;    // question-mark icon
constexpr int information = 64; // information icon
} // namespace mb

namespace answer {
constexpr int ok = 1;
constexpr int cancel = 2;
constexpr int yes = 6;
constexpr int no = 7;
} // namespace answer

// Shows a box modal to the program's active window; returns the button pressed.
int messageBox(const std::wstring& text, int style, const std::wstring& title);

} // namespace platform
