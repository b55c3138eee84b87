// What holds for every window of both programs: --app=<snipforge.exe>,
// --program=<the test build of snipfetch>.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipforge/snipforge_run.h"

namespace {

using namespace e2e;

// Checks that each text box among the window's children comes just after a label
// in z-order; returns how many there are.
int checkBoxesFollowLabels(WindowDriver& window) {
    int boxes = 0;
    for (HWND child = GetWindow(window.window(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) != L"Edit") {
            continue;
        }
        ++boxes;
        HWND previous = GetWindow(child, GW_HWNDPREV);
        check(previous != nullptr && className(previous) == L"Static",
              utf8(window.nameOf(child)) + " comes just after " + utf8(window.nameOf(previous)) +
                  ", which is no label");
    }
    return boxes;
}

// A screen reader names a text box after the label just before it among its
// siblings in z-order.
E2E_CASE(labels, come_just_before_their_boxes) {
    snipforge_e2e::SnipforgeRun snipforge;
    const std::pair<const wchar_t*, const wchar_t*> named[] = {{L"Label1", L"Text1"},
                                                               {L"Label2", L"Text2"},
                                                               {L"Label3", L"Text3"},
                                                               {L"Label4", L"Text4"},
                                                               {L"Label5", L"Text5"}};
    for (const auto& [label, box] : named) {
        checkEqual(snipforge.nameOf(GetWindow(snipforge.control(box), GW_HWNDPREV)), label,
                   "the window just before " + utf8(box) + " in z-order");
    }
    checkEqual(checkBoxesFollowLabels(snipforge), 5, "text boxes in snipforge's main window");

    // The About window and snipfetch's window have no text box to name.
    auto about = snipforge.openAbout();
    checkEqual(checkBoxesFollowLabels(about), 0, "text boxes in the About window");
    about.click(L"cmdOK");
    snipforge.expectAboutClosed(about);
    snipforge.close();

    snipfetch_e2e::SnipfetchRun snipfetch;
    checkEqual(checkBoxesFollowLabels(snipfetch), 0, "text boxes in snipfetch's window");
    snipfetch.close();
}

} // namespace
