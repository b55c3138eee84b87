// The main window as the user first sees it, its geometry at two DPIs, its tab
// order, and the variant buffers behind the code and module boxes.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipforge/snipforge_run.h"

#include <vector>

namespace {

using namespace e2e;
using namespace snipforge_e2e;

E2E_CASE(main_window, initial_state) {
    SnipforgeRun session;
    checkEqual(windowText(session.window()), L"snipforge", "window caption");

    session.checkTexts();
    check(!session.checked(L"optcode16"), "optcode16 is not selected at start");
    check(session.checked(L"optcode32"), "optcode32 is selected at start");
    check(!session.checked(L"optde16"), "optde16 is not selected at start");
    check(session.checked(L"optde32"), "optde32 is selected at start");

    checkEqual(session.nameOf(session.focused()), L"Text1", "control with the focus at start");
}

// The frame, the size and place, every control's rectangle.
void checkLayout(int dpi) {
    SnipforgeRun session(dpi);
    session.checkLayout();
    // The designed size and place: 4515 x 4455 twips at 2070, 2010 twips.
    if (dpi == 96) {
        const SIZE size = clientSize(session.window());
        RECT outer{};
        GetWindowRect(session.window(), &outer);
        check(size.cx == 301 && size.cy == 297 && outer.left == 138 && outer.top == 134,
              "301 x 297 pixels at 138, 134 on the screen at 96 DPI");
    }
}

E2E_CASE(main_window, layout_96_dpi) {
    checkLayout(96);
}

E2E_CASE(main_window, layout_144_dpi) {
    const LogPixelsOverride override(144);
    checkLayout(144);
}

E2E_CASE(main_window, tab_order) {
    SnipforgeRun session;
    require(session.nameOf(session.focused()) == L"Text1", "the focus starts in Text1");
    // Within an option pair only the selected button is a tab stop.
    const std::vector<std::wstring> expected = {L"Text2",    L"Text3",    L"Text4", L"Command1",
                                                L"Command2", L"Command3", L"Text5", L"optcode32",
                                                L"optde32",  L"Text1"};
    for (const auto& next : expected) {
        HWND before = session.focused();
        session.press(VK_TAB);
        waitUntil([&] { return session.focused() != before; }, milliseconds{1000});
        const auto got = session.nameOf(session.focused());
        if (!checkEqual(got, next, "the control that Tab moves the focus to")) {
            return;
        }
    }
}

E2E_CASE(main_window, variant_switch_keeps_both_texts) {
    SnipforgeRun session;
    // Code box: 32-bit text first (selected at start), then the 16-bit one.
    session.type(L"Text4", L"code 32\r\nsecond line");
    session.click(L"optcode16");
    check(session.checked(L"optcode16") && !session.checked(L"optcode32"),
          "optcode16 selected after its click");
    checkEqual(session.text(L"Text4"), L"", "Text4 shows the empty 16-bit slot");
    session.type(L"Text4", L"code 16");
    session.click(L"optcode32");
    checkEqual(session.text(L"Text4"), L"code 32\r\nsecond line",
               "Text4 shows the 32-bit text again");
    session.click(L"optcode16");
    checkEqual(session.text(L"Text4"), L"code 16", "Text4 shows the 16-bit text again");

    // Module box, switched with its own pair.
    session.type(L"Text5", L"decl 32");
    session.click(L"optde16");
    check(session.checked(L"optde16") && !session.checked(L"optde32"),
          "optde16 selected after its click");
    check(session.checked(L"optcode16"), "the code pair is a group of its own");
    checkEqual(session.text(L"Text5"), L"", "Text5 shows the empty 16-bit slot");
    session.type(L"Text5", L"decl 16");
    session.click(L"optde32");
    checkEqual(session.text(L"Text5"), L"decl 32", "Text5 shows the 32-bit text again");

    session.type(L"Text1", L"Switched");
    session.createAndConfirm(L"Switched");
    // The file holds both variants of both texts.
    checkFile(session.snipletPath(L"Switched"),
              snipletFile("Switched", "Your name", "About the code", "code 16",
                          "code 32\r\nsecond line", "decl 16", "decl 32"));
}

E2E_CASE(main_window, example_fills_the_window) {
    SnipforgeRun session;
    session.click(L"optcode16");
    session.click(L"Command2");
    checkEqual(session.text(L"Text1"), L"Messagebox window handle", "Text1 after Example");
    checkEqual(session.text(L"Text2"), L"Dozovad", "Text2 after Example");
    checkEqual(session.text(L"Text3"),
               L"This code creates a message box that shows the handle of the window.",
               "Text3 after Example");
    checkEqual(session.text(L"Text4"), L"Msgbox CStr(*), 16, \"Window Handle\"",
               "Text4 after Example");
    checkEqual(session.text(L"Text5"), session.designOf(L"Text5").text,
               "Example leaves Text5 as it was");
    check(session.checked(L"optcode16"), "Example leaves the options as they were");
    // Both code slots hold the example line, whichever option shows them.
    session.click(L"optcode32");
    checkEqual(session.text(L"Text4"), L"Msgbox CStr(*), 16, \"Window Handle\"",
               "the 32-bit slot holds the example line too");
    // The module slots were emptied although the box still showed the prompt.
    session.click(L"optde16");
    checkEqual(session.text(L"Text5"), L"", "the 16-bit module slot is empty");
}

E2E_CASE(main_window, escape_keeps_the_window_close_box_ends_the_program) {
    SnipforgeRun session;
    HWND form = session.window();
    // The window has no cancel button: Esc must not close it.
    pressKey(form, VK_ESCAPE);
    require(staysFalse([&] { return !IsWindowVisible(form); }, milliseconds{300}),
            "Esc closed the window");
    session.waitForIdle();
    PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    checkEqual(session.waitForExit(), 0, "exit code after the close box");
}

} // namespace
