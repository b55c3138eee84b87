#include "snipfetch/download_window_layout.h"

namespace snipfetch {

using platform::ControlKind;
using platform::ControlSpec;

namespace {

ControlSpec control(const wchar_t* name, ControlKind kind, const wchar_t* container,
                    const wchar_t* text, platform::TwipsRect rect, int tabIndex) {
    ControlSpec design;
    design.name = name;
    design.kind = kind;
    design.container = container;
    design.text = text;
    design.rect = rect;
    design.tabIndex = tabIndex;
    return design;
}

} // namespace

platform::FormSpec downloadWindowLayout() {
    platform::FormSpec form;
    form.name = L"frmAddIns";
    form.caption = L"snipfetch";
    form.clientWidth = 5655;
    form.clientHeight = 4950;
    form.border = platform::BorderStyle::FixedSingle; // no position: the system's default

    form.controls = {
        control(L"Frame1", ControlKind::Frame, L"", L"snipfetch", {120, 120, 5415, 4695}, 0),
        control(L"lstAddIns", ControlKind::CheckList, L"Frame1", L"", {120, 240, 5175, 3900}, 1),
        control(L"cmdGetList", ControlKind::CommandButton, L"Frame1", L"Get List",
                {120, 4200, 2535, 375}, 2),
        control(L"cmdDownload", ControlKind::CommandButton, L"Frame1", L"Download",
                {2760, 4200, 2535, 375}, 3),
    };
    return form;
}

} // namespace snipfetch
