#include "tests/e2e/win32_backend/backend_forms.h"

#include "platform/win32/child_window.h"
#include "platform/win32/message_loop.h"

#include <chrono>

namespace backend_e2e {

using platform::ControlKind;
using platform::ControlSpec;
using platform::controlSpec;

platform::FormSpec sampleSpec() {
    platform::FormSpec form;
    form.name = L"Sample";
    form.caption = L"Backend sample";
    form.clientWidth = 7000;
    form.clientHeight = 6000;
    form.position = platform::TwipsPoint{600, 600};

    auto multiLine = controlSpec(L"Text4", ControlKind::TextBox, L"Frame1",
                                 L"line one\r\nline two\r\n", {120, 1500, 4155, 1005}, 4);
    multiLine.multiLine = true;
    multiLine.verticalScroll = true;
    auto a2 = controlSpec(L"optA2", ControlKind::OptionButton, L"Frame1", L"A2",
                          {2760, 1200, 1515, 255}, 6);
    a2.selected = true;
    auto picture = controlSpec(L"Picture1", ControlKind::PictureBox, L"Frame1", L"",
                               {1140, 2600, 3135, 255}, 7);
    picture.tabStop = false;
    auto b2 = controlSpec(L"optB2", ControlKind::OptionButton, L"Picture1", L"B2",
                          {1620, 0, 1515, 255}, 9);
    b2.selected = true;
    auto ok =
        controlSpec(L"cmdOK", ControlKind::CommandButton, L"", L"OK", {5500, 300, 1260, 345}, 10);
    ok.isDefault = true;
    auto icon =
        controlSpec(L"picIcon", ControlKind::PictureBox, L"", L"", {5500, 1600, 540, 540}, 12);
    icon.showsIcon = true;
    icon.tabStop = false;
    auto grey = controlSpec(L"Line1", ControlKind::Line, L"", L"", {90, 3105, 5564, 0}, -1);
    grey.lineColor = 0x808080;
    auto white = controlSpec(L"Line0", ControlKind::Line, L"", L"", {105, 3120, 5549, 0}, -1);
    white.lineColor = 0xFFFFFF;
    white.lineWidthPixels = 2;
    auto skipped =
        controlSpec(L"Text5", ControlKind::TextBox, L"", L"skipped", {5500, 2300, 1260, 285}, 14);
    skipped.tabStop = false;

    // Table order differs from tab order on purpose.
    form.controls = {
        controlSpec(L"Frame1", ControlKind::Frame, L"", L"Group", {60, 60, 4395, 3000}, 0),
        controlSpec(L"Label1", ControlKind::Label, L"Frame1", L"Code Name:", {120, 300, 915, 255},
                    1),
        controlSpec(L"cmdOther", ControlKind::CommandButton, L"", L"&Other", {5500, 700, 1260, 345},
                    11),
        controlSpec(L"Text1", ControlKind::TextBox, L"", L"Name", {1200, 360, 3135, 285}, 2),
        controlSpec(L"Text2", ControlKind::TextBox, L"Frame1", L"Author", {1140, 600, 3135, 285},
                    3),
        multiLine,
        controlSpec(L"optA1", ControlKind::OptionButton, L"Frame1", L"A1", {1140, 1200, 1515, 255},
                    5),
        a2,
        picture,
        controlSpec(L"optB1", ControlKind::OptionButton, L"Picture1", L"B1", {0, 0, 1515, 255}, 8),
        b2,
        ok,
        icon,
        grey,
        white,
        controlSpec(L"lstRows", ControlKind::CheckList, L"", L"", {120, 3300, 5175, 2500}, 13),
        skipped,
    };
    return form;
}

platform::FormSpec dialogSpec() {
    platform::FormSpec form;
    form.name = L"Dialog";
    form.caption = L"Backend dialog";
    form.clientWidth = 3000;
    form.clientHeight = 1500;
    form.border = platform::BorderStyle::FixedDialog;
    form.showInTaskbar = false;
    auto close = controlSpec(L"cmdClose", ControlKind::CommandButton, L"", L"Close",
                             {1500, 900, 1260, 345}, 0);
    close.isDefault = true;
    close.isCancel = true;
    form.controls = {close};
    return form;
}

HWND windowOf(const platform::Control& control) {
    auto* child = dynamic_cast<platform::win32::ChildWindow*>(control.peer());
    return child ? child->window() : nullptr;
}

HWND formWindowOf(const platform::Form& form) {
    for (const auto& control : form.controls()) {
        if (HWND window = windowOf(*control)) {
            return GetParent(window);
        }
    }
    return nullptr;
}

void pumpMessages() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    platform::win32::runMessagesUntil([&] {
        return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0 ||
               std::chrono::steady_clock::now() >= deadline;
    });
}

void pressKey(UINT virtualKey) {
    PostMessageW(GetFocus(), WM_KEYDOWN, virtualKey, 1);
    pumpMessages();
}

} // namespace backend_e2e
