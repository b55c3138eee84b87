// Message boxes of another process: found by class "#32770", read (title, text,
// buttons, icon) and answered like a user would.
#pragma once

#include <windows.h>

#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/driver/wait.h"

namespace e2e {

enum class BoxIcon { None, Stop, Question, Exclamation, Information, Other };
std::string describe(BoxIcon icon);

// Button ids as MessageBox returns them.
namespace button {
constexpr int ok = IDOK;
constexpr int cancel = IDCANCEL;
constexpr int yes = IDYES;
constexpr int no = IDNO;
} // namespace button

struct MessageBoxView {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;        // the static with id 0xFFFF
    std::vector<int> buttons; // ids of the visible buttons, in id order
    BoxIcon icon = BoxIcon::None;
};

// Checks the box's title, text, icon and buttons; what names the box in messages.
void checkBox(const MessageBoxView& box, std::wstring_view title, std::wstring_view text,
              BoxIcon icon, const std::vector<int>& buttons = {button::ok},
              std::string_view what = "the message box",
              std::source_location where = std::source_location::current());

// Waits until the process shows exactly one message box and reads it.
MessageBoxView waitForMessageBox(DWORD processId, milliseconds timeout = defaultTimeout);

// Presses the button with that id and waits until the box is gone.
void answer(const MessageBoxView& box, int buttonId);

// True when no message box of the process comes up within the period.
bool noMessageBoxWithin(DWORD processId, milliseconds period);

} // namespace e2e
