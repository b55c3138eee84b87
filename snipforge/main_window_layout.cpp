// The designed table of snipforge's main window. Designer names and the members
// of MainWindow that hold the controls:
//
//   Text1  nameBox_          Label1  "Code Name:"   names Text1
//   Text2  authorBox_        Label2  "Author:"      names Text2
//   Text3  descriptionBox_   Label3  "About Code:"  names Text3
//   Text4  codeBox_          Label4  "The Code:"    names Text4
//   Text5  moduleBox_        Label5  "For Module:"  names Text5
//   optcode16, optcode32     code16Option_, code32Option_
//   optde16, optde32         module16Option_, module32Option_ (in Picture1)
//   Command1  createButton_  Command2  exampleButton_  Command3  aboutButton_
//   Frame1, Picture1         containers, no member
#include "snipforge/main_window_layout.h"

namespace snipforge {

using platform::ControlKind;
using platform::ControlSpec;
using platform::controlSpec;

namespace {

ControlSpec multiLineBox(const wchar_t* name, const wchar_t* text, platform::TwipsRect rect,
                         int tabIndex) {
    auto design = controlSpec(name, ControlKind::TextBox, L"Frame1", text, rect, tabIndex);
    design.multiLine = true;
    design.verticalScroll = true;
    return design;
}

// A label that names a box: screen readers read it as the box's name.
ControlSpec label(const wchar_t* name, const wchar_t* text, platform::TwipsRect rect, int tabIndex,
                  const wchar_t* box) {
    auto design = controlSpec(name, ControlKind::Label, L"Frame1", text, rect, tabIndex);
    design.labelFor = box;
    return design;
}

ControlSpec option(const wchar_t* name, const wchar_t* container, platform::TwipsRect rect,
                   int tabIndex, bool selected) {
    auto design = controlSpec(name, ControlKind::OptionButton, container,
                              selected ? L"32 bit version" : L"16 bit version", rect, tabIndex);
    design.selected = selected;
    return design;
}

constexpr const wchar_t* codePrompt = L"Paste the code here.  Put *'s in the places where \r\n"
                                      L"the window handle variable should appear.\r\n";
constexpr const wchar_t* modulePrompt =
    L"Paste anything here the user may need to put in \r\n"
    L"their module.  If nothing is needed then delete this text.\r\n";

} // namespace

platform::FormSpec mainWindowLayout() {
    platform::FormSpec form;
    form.name = L"Form1";
    form.caption = L"snipforge";
    form.clientWidth = 4515;
    form.clientHeight = 4455;
    form.position = platform::TwipsPoint{2070, 2010};
    form.border = platform::BorderStyle::FixedSingle;

    auto moduleOptions =
        controlSpec(L"Picture1", ControlKind::PictureBox, L"", L"", {1200, 2640, 3135, 255}, 16);
    moduleOptions.tabStop = false; // a borderless container: focus on it would be invisible

    form.controls = {
        controlSpec(L"Frame1", ControlKind::Frame, L"", L"snipforge", {60, 60, 4395, 4335}, 0),
        label(L"Label1", L"Code Name:", {120, 300, 915, 255}, 1, L"Text1"),
        controlSpec(L"Text1", ControlKind::TextBox, L"", L"Name of code here",
                    {1200, 360, 3135, 285}, 2),
        label(L"Label2", L"Author:", {120, 600, 915, 255}, 3, L"Text2"),
        controlSpec(L"Text2", ControlKind::TextBox, L"Frame1", L"Your name", {1140, 600, 3135, 285},
                    4),
        label(L"Label3", L"About Code:", {120, 900, 915, 255}, 5, L"Text3"),
        controlSpec(L"Text3", ControlKind::TextBox, L"Frame1", L"About the code",
                    {1140, 900, 3135, 285}, 6),
        label(L"Label4", L"The Code:", {120, 1200, 915, 255}, 7, L"Text4"),
        option(L"optcode16", L"Frame1", {1140, 1200, 1515, 255}, 14, false),
        option(L"optcode32", L"Frame1", {2760, 1200, 1515, 255}, 15, true),
        multiLineBox(L"Text4", codePrompt, {120, 1500, 4155, 1005}, 8),
        label(L"Label5", L"For Module:", {120, 2580, 915, 255}, 13, L"Text5"),
        moduleOptions,
        option(L"optde16", L"Picture1", {0, 0, 1515, 255}, 17, false),
        option(L"optde32", L"Picture1", {1620, 0, 1515, 255}, 18, true),
        multiLineBox(L"Text5", modulePrompt, {120, 2880, 4155, 1005}, 12),
        controlSpec(L"Command1", ControlKind::CommandButton, L"Frame1", L"Create Add-In",
                    {120, 3960, 1395, 255}, 9),
        controlSpec(L"Command2", ControlKind::CommandButton, L"Frame1", L"Example",
                    {1500, 3960, 1395, 255}, 10),
        controlSpec(L"Command3", ControlKind::CommandButton, L"Frame1", L"About",
                    {2880, 3960, 1395, 255}, 11),
    };
    return form;
}

} // namespace snipforge
