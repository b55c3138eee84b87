// The designed table of snipforge's About window. Designer names and the
// members of AboutWindow that hold the controls:
//
//   cmdOK       okButton_          cmdSysInfo  systemInfoButton_
//   icon, lblTitle, lblVersion, lblDescription, lblDisclaimer, Line1(0),
//   Line1(1)    shown as designed, no member
#include "snipforge/about_window_layout.h"

namespace snipforge {

using platform::ControlKind;
using platform::ControlSpec;

namespace {

// Every control of this window sits directly on it.
ControlSpec control(const wchar_t* name, ControlKind kind, const wchar_t* text,
                    platform::TwipsRect rect, int tabIndex) {
    return platform::controlSpec(name, kind, L"", text, rect, tabIndex);
}

// A line from (x1, y1) to (x2, y2).
ControlSpec line(const wchar_t* name, platform::TwipsPoint from, platform::TwipsPoint to,
                 unsigned color, int widthPixels) {
    auto design =
        control(name, ControlKind::Line, L"", {from.x, from.y, to.x - from.x, to.y - from.y}, -1);
    design.tabStop = false;
    design.lineColor = color;
    design.lineWidthPixels = widthPixels;
    return design;
}

constexpr const wchar_t* description =
    L"This program comes with Duzarudar's Dovuraviz.  It's here so you can make your own "
    L"sniplets (see the options area of the spy to see what a sniplet is).";
constexpr const wchar_t* disclaimer =
    L"Note: Use *'s in place of the window handle variable when creating sniplets.";

} // namespace

platform::FormSpec aboutWindowLayout() {
    platform::FormSpec form;
    form.name = L"frmAbout";
    form.caption = L"About...";
    form.clientWidth = 5730;
    form.clientHeight = 2895;
    form.border = platform::BorderStyle::FixedDialog;
    form.showInTaskbar = false;
    // No position: the load handler centres the window on every showing.

    auto icon = control(L"picIcon", ControlKind::PictureBox, L"", {240, 240, 540, 540}, 1);
    icon.showsIcon = true;
    icon.tabStop = false; // shows a picture, takes no input

    auto okButton =
        control(L"cmdOK", ControlKind::CommandButton, L"OK", {4245, 2085, 1260, 345}, 0);
    okButton.isDefault = true;
    okButton.isCancel = true;

    // The grey line first and the white one over it below: an etched separator.
    form.controls = {
        icon,
        control(L"lblTitle", ControlKind::Label, L"snipforge", {1080, 240, 3885, 240}, 5),
        control(L"lblVersion", ControlKind::Label, L"Version 1.0", {1080, 540, 3885, 225}, 6),
        control(L"lblDescription", ControlKind::Label, description, {1080, 885, 3885, 870}, 3),
        line(L"Line1(1)", {90, 1905}, {5654, 1905}, 0x808080, 1),
        line(L"Line1(0)", {105, 1920}, {5654, 1920}, 0xFFFFFF, 2),
        control(L"lblDisclaimer", ControlKind::Label, disclaimer, {255, 2085, 3870, 705}, 4),
        okButton,
        control(L"cmdSysInfo", ControlKind::CommandButton, L"&System Info...",
                {4260, 2460, 1245, 345}, 2),
    };
    return form;
}

} // namespace snipforge
