// snipforge's About window under Wine: opened from the main window again and
// again, centred each time, laid out and worded as designed, closed by Enter, Esc
// and the close box, and modal meanwhile.
#include "platform/win32/layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipforge/snipforge_run.h"

#include <cstdlib>
#include <functional>
#include <set>

namespace {

using namespace snipforge_e2e;
using namespace e2e;

void checkPlacement(HWND about) {
    RECT outer{};
    GetWindowRect(about, &outer);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // Centred in twips and rounded to pixels: at most a pixel off the exact middle.
    const int expectedLeft = (screenWidth - (outer.right - outer.left)) / 2;
    const int expectedTop = (screenHeight - (outer.bottom - outer.top)) / 2;
    check(std::abs(outer.left - expectedLeft) <= 1 && std::abs(outer.top - expectedTop) <= 1,
          "the About window is centred on the screen: it is at " + describe(outer) +
              ", the middle of the screen puts it at left " + std::to_string(expectedLeft) +
              ", top " + std::to_string(expectedTop));
}

void checkFrame(HWND about, HWND main) {
    // The frame is the layout check's.
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(about, GWL_EXSTYLE));
    HWND owner = GetWindow(about, GW_OWNER);
    check((exStyle & WS_EX_APPWINDOW) == 0 && (owner != nullptr || (exStyle & WS_EX_TOOLWINDOW)),
          "not shown in the taskbar");
    check(owner != main, "shown without the main window as its owner");
    check(IsWindowEnabled(main) == FALSE, "the main window takes no input while About is open");
}

void checkControls(WindowDriver& about) {
    about.checkLayout();
    about.checkTexts();
    checkEqual(about.text(L"lblDescription"),
               L"This program comes with Duzarudar's Dovuraviz.  It's here so you can make your "
               L"own sniplets (see the options area of the spy to see what a sniplet is).",
               "the description, two blanks after its first full stop");
    checkEqual(about.text(L"cmdSysInfo"), L"&System Info...",
               "System Info button with S as its access key");

    // The icon box sizes itself to the icon; the icon is drawn in it.
    const int icon = platform::win32::iconPixels(about.dpi());
    HWND picIcon = about.control(L"picIcon");
    require(waitUntil([&] {
                std::set<COLORREF> colours;
                for (int y = 0; y < icon; y += 2) {
                    for (int x = 0; x < icon; x += 2) {
                        colours.insert(screenPixel(picIcon, {x, y}));
                    }
                }
                return colours.size() > 2;
            }),
            "the program icon is drawn in picIcon");
}

// The etched separator: a grey line with a white one, two pixels at 96 DPI, below it.
void checkSeparator(const WindowDriver& about) {
    using namespace platform::win32;
    const auto grey = linePixelEnds(about.design(), about.designOf(L"Line1(1)"), about.dpi());
    const auto white = linePixelEnds(about.design(), about.designOf(L"Line1(0)"), about.dpi());
    const int x = (white.from.x + white.to.x) / 2;
    const POINT greyRow{x, grey.from.y};
    const POINT lastWhiteRow{x, white.from.y + scaleFrom96(2, about.dpi()) - 1};
    const auto pixel = [&](POINT point) { return screenPixel(about.window(), point); };
    check(waitUntil([&] { return pixel(greyRow) == 0x808080 && pixel(lastWhiteRow) == 0xFFFFFF; }),
          "the grey separator row reads " + std::to_string(pixel(greyRow)) +
              ", its last white row " + std::to_string(pixel(lastWhiteRow)));
    check(pixel({x, greyRow.y - 1}) != 0x808080, "nothing grey above the grey line");
}

void checkAboutWindow(const SnipforgeRun& session, WindowDriver& about) {
    checkPlacement(about.window());
    checkFrame(about.window(), session.window());
    checkControls(about);
    checkSeparator(about);
}

E2E_CASE(about, opens_centred_and_closes_three_ways) {
    SnipforgeRun session;
    struct Way {
        const char* name;
        std::function<void(WindowDriver&)> close;
    };
    const Way ways[] = {
        {"Enter",
         [&](WindowDriver& about) {
             HWND ok = about.control(L"cmdOK");
             require(waitUntil([&] { return about.focused() == ok; }),
                     "OK has the focus when the window opens");
             about.press(VK_RETURN);
         }},
        {"Esc", [](WindowDriver& about) { about.press(VK_ESCAPE); }},
        {"the close box",
         [](WindowDriver& about) { PostMessageW(about.window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        note(std::string("About window closed with ") + way.name);
        auto about = session.openAbout();
        checkAboutWindow(session, about);
        // Moved away, so the next showing has to centre it again.
        SetWindowPos(about.window(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        way.close(about);
        session.expectAboutClosed(about);
    }
    session.close();
}

E2E_CASE(about, laid_out_at_144_dpi) {
    const LogPixelsOverride highDpi(144);
    SnipforgeRun session(144);
    auto about = session.openAbout();
    checkAboutWindow(session, about);
    about.click(L"cmdOK");
    session.expectAboutClosed(about);
    session.close();
}

} // namespace
