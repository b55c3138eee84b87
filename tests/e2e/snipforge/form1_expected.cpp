#include "tests/e2e/snipforge/form1_expected.h"

namespace snipforge_e2e {

using platform::ControlKind;

namespace {

platform::ControlSpec row(const wchar_t* name, ControlKind kind, const wchar_t* container,
                          const wchar_t* text, platform::TwipsRect rect, int tabIndex,
                          bool selected = false) {
    platform::ControlSpec control;
    control.name = name;
    control.kind = kind;
    control.container = container;
    control.text = text;
    control.rect = rect;
    control.tabIndex = tabIndex;
    control.selected = selected;
    return control;
}

} // namespace

const std::wstring codePrompt = L"Paste the code here.  Put *'s in the places where \r\n"
                                L"the window handle variable should appear.\r\n";
const std::wstring modulePrompt = L"Paste anything here the user may need to put in \r\n"
                                  L"their module.  If nothing is needed then delete this text.\r\n";

platform::FormSpec expectedForm1() {
    platform::FormSpec form;
    form.name = L"Form1";
    form.caption = L"snipforge";
    form.clientWidth = 4515;
    form.clientHeight = 4455;
    form.position = platform::TwipsPoint{2070, 2010};
    using K = ControlKind;
    form.controls = {
        row(L"Frame1", K::Frame, L"", L"snipforge", {60, 60, 4395, 4335}, 0),
        row(L"Label1", K::Label, L"Frame1", L"Code Name:", {120, 300, 915, 255}, 1),
        row(L"Text1", K::TextBox, L"", L"Name of code here", {1200, 360, 3135, 285}, 2),
        row(L"Label2", K::Label, L"Frame1", L"Author:", {120, 600, 915, 255}, 3),
        row(L"Text2", K::TextBox, L"Frame1", L"Your name", {1140, 600, 3135, 285}, 4),
        row(L"Label3", K::Label, L"Frame1", L"About Code:", {120, 900, 915, 255}, 5),
        row(L"Text3", K::TextBox, L"Frame1", L"About the code", {1140, 900, 3135, 285}, 6),
        row(L"Label4", K::Label, L"Frame1", L"The Code:", {120, 1200, 915, 255}, 7),
        row(L"optcode16", K::OptionButton, L"Frame1", L"16 bit version", {1140, 1200, 1515, 255},
            14),
        row(L"optcode32", K::OptionButton, L"Frame1", L"32 bit version", {2760, 1200, 1515, 255},
            15, true),
        row(L"Text4", K::TextBox, L"Frame1", codePrompt.c_str(), {120, 1500, 4155, 1005}, 8),
        row(L"Label5", K::Label, L"Frame1", L"For Module:", {120, 2580, 915, 255}, 13),
        row(L"Picture1", K::PictureBox, L"", L"", {1200, 2640, 3135, 255}, 16),
        row(L"optde16", K::OptionButton, L"Picture1", L"16 bit version", {0, 0, 1515, 255}, 17),
        row(L"optde32", K::OptionButton, L"Picture1", L"32 bit version", {1620, 0, 1515, 255}, 18,
            true),
        row(L"Text5", K::TextBox, L"Frame1", modulePrompt.c_str(), {120, 2880, 4155, 1005}, 12),
        row(L"Command1", K::CommandButton, L"Frame1", L"Create Add-In", {120, 3960, 1395, 255}, 9),
        row(L"Command2", K::CommandButton, L"Frame1", L"Example", {1500, 3960, 1395, 255}, 10),
        row(L"Command3", K::CommandButton, L"Frame1", L"About", {2880, 3960, 1395, 255}, 11),
    };
    return form;
}

} // namespace snipforge_e2e
