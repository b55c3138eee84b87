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

// Told that it is now on a monitor of 144 DPI, as a move there tells it, a window
// looks exactly like one started at 144 DPI, with its text drawn larger.
void followsDpiChange(WindowDriver& window, const wchar_t* label) {
    const int textBefore = darkPixelRows(window.control(label));
    window.changeDpi(144);
    window.checkLayout();
    const int textAfter = darkPixelRows(window.control(label));
    check(textAfter * 4 >= textBefore * 5,
          utf8(label) + "'s text is drawn larger: " + std::to_string(textBefore) +
              " rows of pixels at 96 DPI, " + std::to_string(textAfter) + " at 144");
}

// snipfetch's window has its own case, with rows in its list.
E2E_CASE(dpi, a_change_lays_the_window_out_again) {
    const LogPixelsOverride startAt(96);
    snipforge_e2e::SnipforgeRun snipforge(96);
    snipforge.type(L"Text1", L"Kept");
    clickButton(snipforge.control(L"optcode16"));
    // Wine has one DPI for every monitor, so the About window opens at 96 DPI.
    auto about = snipforge.openAbout();
    followsDpiChange(about, L"lblTitle");
    about.checkTexts();
    about.click(L"cmdOK");
    snipforge.expectAboutClosed(about);

    snipforge.type(L"Text4", L"line one");
    sendMessage(snipforge.control(L"Text4"), EM_SETSEL, 2, 6);
    followsDpiChange(snipforge, L"Label1");
    // What the user did stays.
    checkEqual(snipforge.text(L"Text1"), L"Kept", "Text1 after the change");
    checkEqual(snipforge.text(L"Text4"), L"line one", "Text4 after the change");
    check(snipforge.checked(L"optcode16"), "optcode16 stays selected");
    checkEqual(snipforge.nameOf(snipforge.focused()), L"Text4", "the control with the focus");
    const auto selection = sendMessage(snipforge.control(L"Text4"), EM_GETSEL);
    check(LOWORD(selection) == 2 && HIWORD(selection) == 6, "the selection in Text4 stays");

    snipforge.close();
}

} // namespace
