// The main window as the user first sees it, its geometry at two DPIs, its tab
// order, and the variant buffers behind the code and module boxes.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/expected_layout.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipforge/cases.h"
#include "tests/e2e/snipforge/form1_expected.h"
#include "tests/e2e/snipforge/form1_session.h"

#include <vector>

namespace snipforge_e2e {

using namespace e2e;

namespace {

void initialState() {
    Form1Session session(L"initial_state");
    HWND form = session.form();
    checkEqual(windowText(form), L"snipforge", "window caption");

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(form, GWL_STYLE));
    check((style & WS_SYSMENU) != 0, "the window has a close box");
    check((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0, "no minimise or maximise box");
    check((style & WS_THICKFRAME) == 0, "the border is fixed");

    for (const auto& control : session.design().controls) {
        if (control.kind == platform::ControlKind::PictureBox) {
            continue;
        }
        // A control out of place is the layout cases' finding; check the others.
        if (HWND window = session.findControl(control.name)) {
            checkEqual(windowText(window), control.text, "initial text of " + utf8(control.name));
        } else {
            check(false, utf8(control.name) + " is not where the table puts it");
        }
    }
    check(!session.checked(L"optcode16"), "optcode16 is not selected at start");
    check(session.checked(L"optcode32"), "optcode32 is selected at start");
    check(!session.checked(L"optde16"), "optde16 is not selected at start");
    check(session.checked(L"optde32"), "optde32 is selected at start");

    const auto focus = focusedWindow(form);
    checkEqual(session.nameOf(focus), L"Text1", "control with the focus at start");
}

void checkLayout(int dpi) {
    Form1Session session(L"layout_" + std::to_wstring(dpi), dpi);
    HWND form = session.form();
    const auto& design = session.design();

    const SIZE expectedSize = expectedClientSize(design, dpi);
    const SIZE size = clientSize(form);
    note("client area " + std::to_string(size.cx) + " x " + std::to_string(size.cy) +
         " pixels at " + std::to_string(dpi) + " DPI");
    checkEqual(size.cx, expectedSize.cx, "client width in pixels");
    checkEqual(size.cy, expectedSize.cy, "client height in pixels");

    RECT outer{};
    GetWindowRect(form, &outer);
    const POINT position = expectedScreenPosition(design, dpi);
    checkEqual(outer.left, position.x, "window left on the screen (2070 twips)");
    checkEqual(outer.top, position.y, "window top on the screen (2010 twips)");

    // Every control, each reported on its own.
    for (const auto& control : design.controls) {
        const RECT expected = expectedClientRect(design, control.name, dpi);
        const auto windowClass = expectedWindowClass(control.kind);
        const auto matches = controlsAt(form, windowClass, expected);
        if (matches.size() == 1) {
            continue;
        }
        std::string seen;
        for (HWND child : descendants(form)) {
            if (!control.text.empty() && windowText(child) == control.text) {
                seen = " (the control with its text is at " +
                       describe(rectInClientOf(child, form)) + ")";
            }
        }
        check(false, utf8(control.name) + ": " + std::to_string(matches.size()) +
                         " windows of class " + utf8(windowClass) + " at " + describe(expected) +
                         seen);
    }
}

void layoutAt96Dpi() {
    checkLayout(96);
}

void layoutAt144Dpi() {
    const LogPixelsOverride override(144);
    checkLayout(144);
}

void tabOrder() {
    Form1Session session(L"tab_order");
    HWND form = session.form();
    require(session.nameOf(focusedWindow(form)) == L"Text1", "the focus starts in Text1");
    // Within an option pair only the selected button is a tab stop.
    const std::vector<std::wstring> expected = {L"Text2",    L"Text3",    L"Text4", L"Command1",
                                                L"Command2", L"Command3", L"Text5", L"optcode32",
                                                L"optde32",  L"Text1"};
    for (const auto& next : expected) {
        HWND before = focusedWindow(form);
        pressKey(form, VK_TAB);
        waitForIdle(session.control(L"Text1"));
        waitUntil([&] { return focusedWindow(form) != before; }, milliseconds{1000});
        const auto got = session.nameOf(focusedWindow(form));
        if (!checkEqual(got, next, "the control that Tab moves the focus to")) {
            return;
        }
    }
}

void variantSwitchKeepsBothTexts() {
    Form1Session session(L"variant_switch");
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
    const auto bytes = readFileBytes(session.snipletPath(L"Switched"));
    require(bytes.has_value(), "the sniplet file was written");
    checkEqualBytes(*bytes,
                    snipletFile("Switched", "Your name", "About the code", "code 16",
                                "code 32\r\nsecond line", "decl 16", "decl 32"),
                    "the file holds both variants of both texts");
}

void exampleFillsTheWindow() {
    Form1Session session(L"example");
    session.click(L"optcode16");
    session.click(L"Command2");
    checkEqual(session.text(L"Text1"), L"Messagebox window handle", "Text1 after Example");
    checkEqual(session.text(L"Text2"), L"Dozovad", "Text2 after Example");
    checkEqual(session.text(L"Text3"),
               L"This code creates a message box that shows the handle of the window.",
               "Text3 after Example");
    checkEqual(session.text(L"Text4"), L"Msgbox CStr(*), 16, \"Window Handle\"",
               "Text4 after Example");
    checkEqual(session.text(L"Text5"), modulePrompt, "Example leaves Text5 as it was");
    check(session.checked(L"optcode16"), "Example leaves the options as they were");
    // Both code slots hold the example line, whichever option shows them.
    session.click(L"optcode32");
    checkEqual(session.text(L"Text4"), L"Msgbox CStr(*), 16, \"Window Handle\"",
               "the 32-bit slot holds the example line too");
    // The module slots were emptied although the box still showed the prompt.
    session.click(L"optde16");
    checkEqual(session.text(L"Text5"), L"", "the 16-bit module slot is empty");
}

void escapeKeepsTheWindowCloseBoxEndsTheProgram() {
    Form1Session session(L"close");
    HWND form = session.form();
    // The window has no cancel button: Esc must not close it.
    pressKey(form, VK_ESCAPE);
    require(staysFalse([&] { return !IsWindowVisible(form); }, milliseconds{300}),
            "Esc closed the window");
    waitForIdle(session.control(L"Text1"));
    PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    checkEqual(session.waitForExit(), 0, "exit code after the close box");
}

} // namespace

void addMainWindowCases(Suite& suite) {
    suite.add("initial_state", initialState);
    suite.add("layout_96_dpi", layoutAt96Dpi);
    suite.add("layout_144_dpi", layoutAt144Dpi);
    suite.add("tab_order", tabOrder);
    suite.add("variant_switch_keeps_both_texts", variantSwitchKeepsBothTexts);
    suite.add("example_fills_the_window", exampleFillsTheWindow);
    suite.add("escape_keeps_the_window_close_box_ends_the_program",
              escapeKeepsTheWindowCloseBoxEndsTheProgram);
}

} // namespace snipforge_e2e
