// Forms as windows: geometry, styles and fonts from the table, and the events of
// text boxes, option buttons and the close box.
#include "tests/e2e/win32_backend/backend_forms.h"

#include "platform/screen.h"
#include "platform/twips.h"
#include "platform/win32/dpi.h"
#include "platform/win32/layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/driver/window_driver.h"

namespace {

using namespace backend_e2e;
using namespace e2e;
using platform::ControlKind;
namespace win32 = platform::win32;

E2E_CASE(forms, layout) {
    platform::Form form(sampleSpec());
    form.show();
    pumpMessages();
    const int dpi = win32::systemDpi();
    const HWND window = formWindowOf(form);
    require(window != nullptr, "the form has a window");

    // Frame, client size, place on the screen, and every control's class and rectangle.
    e2e::WindowDriver driver(GetCurrentProcessId(), form.design(), dpi);
    driver.checkLayout();
    RECT outer;
    GetWindowRect(window, &outer);
    checkEqual(windowText(window), L"Backend sample", "caption");
    check(SendMessageW(window, WM_GETICON, ICON_BIG, 0) != 0 &&
              SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0,
          "the program icon, big and small");

    const HFONT font =
        reinterpret_cast<HFONT>(SendMessageW(windowOf(form.control(L"Text1")), WM_GETFONT, 0, 0));
    LOGFONTW look{};
    require(font && GetObjectW(font, sizeof look, &look) == sizeof look, "a font");
    checkEqual(look.lfHeight, platform::fontHeightPixels(8.25, dpi), "font height");
    checkEqual(look.lfFaceName, L"Arial", "font face");
    checkEqual(look.lfWeight, FW_NORMAL, "font weight");

    const auto& design = form.design();
    for (std::size_t index = 0; index < design.controls.size(); ++index) {
        const auto& control = design.controls[index];
        const HWND child = GetDlgItem(window, win32::firstControlId + static_cast<int>(index));
        const std::string name = utf8(control.name);
        if (control.kind == ControlKind::Line) {
            check(child == nullptr, name + " is drawn, not a window");
            continue;
        }
        if (!check(child != nullptr, name + " has a window")) {
            continue;
        }
        check(child == windowOf(form.control(control.name)) && child == driver.find(control.name),
              name + ": its peer's window, where the table puts it");
        check(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == font ||
                  control.kind == ControlKind::PictureBox,
              name + " uses the form's font");
    }

    const auto styleOf = [&](const wchar_t* name) {
        return GetWindowLongW(windowOf(form.control(name)), GWL_STYLE);
    };
    check((styleOf(L"Text1") & (ES_AUTOHSCROLL | ES_MULTILINE)) == ES_AUTOHSCROLL,
          "Text1: single line, scrolling sideways");
    check((styleOf(L"Text4") & (ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL)) ==
              (ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL),
          "Text4: multi-line, Enter for new lines, vertical scroll bar");
    check(GetWindowLongW(windowOf(form.control(L"Text1")), GWL_EXSTYLE) & WS_EX_CLIENTEDGE,
          "text boxes have a sunken border");
    checkEqual(styleOf(L"cmdOK") & BS_TYPEMASK, BS_DEFPUSHBUTTON, "the default button");
    checkEqual(styleOf(L"cmdOther") & BS_TYPEMASK, BS_PUSHBUTTON, "another button");
    checkEqual(styleOf(L"optA1") & BS_TYPEMASK, BS_AUTORADIOBUTTON, "option button");
    checkEqual(styleOf(L"Frame1") & BS_TYPEMASK, BS_GROUPBOX, "frame");
    check((styleOf(L"optA1") & WS_GROUP) && !(styleOf(L"optA2") & WS_GROUP) &&
              (styleOf(L"optB1") & WS_GROUP) && !(styleOf(L"optB2") & WS_GROUP) &&
              (styleOf(L"cmdOK") & WS_GROUP),
          "one group per container's run of option buttons");
    check(!(styleOf(L"Label1") & WS_TABSTOP) && !(styleOf(L"Frame1") & WS_TABSTOP) &&
              !(styleOf(L"Text5") & WS_TABSTOP) && (styleOf(L"Text1") & WS_TABSTOP) &&
              (styleOf(L"lstRows") & WS_TABSTOP),
          "tab stops on focusable controls only");

    // z-order is tab order: Frame1 first, Text5 (tab 14) last.
    std::vector<std::wstring> order;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        order.push_back(form.design().controls[GetDlgCtrlID(child) - win32::firstControlId].name);
    }
    check(order == std::vector<std::wstring>{L"Frame1", L"Label1", L"Text1", L"Text2", L"Text4",
                                             L"optA1", L"optA2", L"Picture1", L"optB1", L"optB2",
                                             L"cmdOK", L"cmdOther", L"picIcon", L"lstRows",
                                             L"Text5"},
          "child windows in tab order");

    const auto bounds = form.left();
    checkEqual(bounds, platform::pixelsToTwips(outer.left, dpi), "Left in twips");
    checkEqual(form.width(), platform::pixelsToTwips(outer.right - outer.left, dpi),
               "Width in twips");
    form.move(1500, 1200);
    GetWindowRect(window, &outer);
    checkEqual(outer.left, platform::twipsToPixels(1500, dpi), "moved left");
    checkEqual(outer.top, platform::twipsToPixels(1200, dpi), "moved top");
    checkEqual(platform::screenSize().width,
               platform::pixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi), "screen width");
    form.unload();
    check(!IsWindow(window), "unloading destroys the window");
}

E2E_CASE(forms, dialog) {
    platform::Form dialog(dialogSpec());
    dialog.load();
    const HWND window = formWindowOf(dialog);
    check(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, "a dialog frame");
    const HWND owner = GetWindow(window, GW_OWNER);
    check(owner != nullptr && !IsWindowVisible(owner),
          "out of the taskbar: owned by a hidden window");
    check(!IsWindowVisible(window), "loaded, not shown");
}

E2E_CASE(forms, text_box_changes) {
    platform::Form form(sampleSpec());
    Counter single;
    Counter multi;
    Counter other;
    auto& text1 = form.textBox(L"Text1");
    auto& text4 = form.textBox(L"Text4");
    text1.onChange = single.handler();
    text4.onChange = multi.handler();
    form.textBox(L"Text2").onChange = other.handler();
    form.show();
    pumpMessages();
    checkEqual(single.calls + multi.calls, 0, "no Change while the window loads");

    text1.setText(L"set by code");
    text4.setText(L"multi\r\nline");
    pumpMessages();
    checkEqual(single.calls, 1, "setting a single-line box: one Change");
    checkEqual(multi.calls, 1, "setting a multi-line box: one Change");
    checkEqual(windowText(windowOf(text1)), L"set by code", "the box shows the new text");
    text1.setText(L"set by code");
    checkEqual(single.calls, 1, "the same text again: no Change");

    for (auto* box : {&text1, &text4}) {
        const HWND edit = windowOf(*box);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed\r\nby user"));
    }
    pumpMessages();
    checkEqual(single.calls, 2, "typing into a single-line box: one Change");
    checkEqual(multi.calls, 2, "typing into a multi-line box: one Change");
    // A single-line edit drops what follows a line break.
    checkEqual(text1.text(), windowText(windowOf(text1)), "the model holds the typed text");
    checkEqual(text4.text(), L"typed\r\nby user", "line breaks reach the model");

    // Change of one box setting another: the other's Change runs once, nested.
    text1.onChange = [&] { form.textBox(L"Text2").setText(text1.text() + L"!"); };
    SendMessageW(windowOf(text1), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
    pumpMessages();
    checkEqual(other.calls, 1, "a box set from another's Change");
    form.unload();
}

E2E_CASE(forms, option_buttons) {
    platform::Form form(sampleSpec());
    Counter a1;
    Counter a2;
    Counter b1;
    form.optionButton(L"optA1").onClick = a1.handler();
    form.optionButton(L"optA2").onClick = a2.handler();
    form.optionButton(L"optB1").onClick = b1.handler();
    form.show();
    pumpMessages();
    const auto checked = [&](const wchar_t* name) {
        return SendMessageW(windowOf(form.control(name)), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    check(!checked(L"optA1") && checked(L"optA2") && checked(L"optB2"), "designed selection");

    SendMessageW(windowOf(form.control(L"optA1")), BM_CLICK, 0, 0);
    pumpMessages();
    checkEqual(a1.calls, 1, "a click raises Click once");
    check(form.optionButton(L"optA1").value() && !form.optionButton(L"optA2").value(),
          "the clicked button is selected in its group");
    check(checked(L"optA1") && !checked(L"optA2"), "the check marks follow");
    check(form.optionButton(L"optB2").value() && checked(L"optB2"),
          "the other group keeps its own");

    form.optionButton(L"optA2").setValue(true);
    check(!checked(L"optA1") && checked(L"optA2"), "selected from code");

    // Arrow keys move within the group and select as they go.
    SetFocus(windowOf(form.control(L"optB2")));
    pressKey(VK_LEFT);
    checkEqual(b1.calls, 1, "an arrow key onto an option button: one Click");
    check(form.optionButton(L"optB1").value() && checked(L"optB1") && !checked(L"optB2"),
          "the arrow key selected it");
    check(GetFocus() == windowOf(form.control(L"optB1")), "and focused it");
    checkEqual(a1.calls, 1, "the other group raised nothing");
    checkEqual(a2.calls, 1, "but the Click of selecting from code");
    form.unload();
}

E2E_CASE(forms, close_and_unload) {
    {
        platform::Form form(sampleSpec());
        form.show();
        const HWND window = formWindowOf(form);
        EnableWindow(window, FALSE);
        PostMessageW(window, WM_CLOSE, 0, 0);
        pumpMessages();
        check(form.loaded(), "a disabled form ignores a close");
        EnableWindow(window, TRUE);
        PostMessageW(window, WM_CLOSE, 0, 0);
        pumpMessages();
        check(!form.loaded() && !IsWindow(window), "the close box unloads the form");
        form.show();
        check(form.loaded() && IsWindowVisible(formWindowOf(form)), "loaded again");
        checkEqual(form.textBox(L"Text1").text(), L"Name", "with the designed texts");
    }
    {
        platform::Form form(sampleSpec());
        form.commandButton(L"cmdOther").onClick = [&] { form.unload(); };
        form.show();
        const HWND window = formWindowOf(form);
        PostMessageW(windowOf(form.control(L"cmdOther")), BM_CLICK, 0, 0);
        pumpMessages();
        check(!form.loaded() && !IsWindow(window), "a handler unloading its own form");
    }
    {
        platform::Form form(sampleSpec());
        form.onLoad = [&] { PostMessageW(formWindowOf(form), WM_CLOSE, 0, 0); };
        checkEqual(platform::runApplication(form), 0, "runApplication returns when closed");
        check(!form.loaded(), "the start form is unloaded");
    }
}

} // namespace
