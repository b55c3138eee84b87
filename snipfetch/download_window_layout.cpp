// The designed table of snipfetch's window. Designer names and the members of
// DownloadWindow that hold the controls:
//
//   lstAddIns    newSniplets_      cmdGetList   getListButton_
//   cmdDownload  downloadButton_   Frame1       container, no member
#include "snipfetch/download_window_layout.h"

namespace snipfetch {

using platform::ControlKind;
using platform::controlSpec;

platform::FormSpec downloadWindowLayout() {
    platform::FormSpec form;
    form.name = L"frmAddIns";
    form.caption = L"snipfetch";
    form.clientWidth = 5655;
    form.clientHeight = 4950;
    form.border = platform::BorderStyle::FixedSingle; // no position: the system's default

    form.controls = {
        controlSpec(L"Frame1", ControlKind::Frame, L"", L"snipfetch", {120, 120, 5415, 4695}, 0),
        controlSpec(L"lstAddIns", ControlKind::CheckList, L"Frame1", L"", {120, 240, 5175, 3900},
                    1),
        controlSpec(L"cmdGetList", ControlKind::CommandButton, L"Frame1", L"Get List",
                    {120, 4200, 2535, 375}, 2),
        controlSpec(L"cmdDownload", ControlKind::CommandButton, L"Frame1", L"Download",
                    {2760, 4200, 2535, 375}, 3),
    };
    return form;
}

} // namespace snipfetch
