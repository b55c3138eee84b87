// snipforge's About window under Wine: opened from the main window again and
// again, centred each time, laid out and worded as designed, closed by Enter, Esc
// and the close box, and modal meanwhile.
#include "platform/win32/layout.h"
#include "snipforge/about_window_layout.h"
#include "tests/e2e/about/snipforge_session.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/expected_layout.h"
#include "tests/e2e/driver/ui.h"

#include <cstdlib>
#include <functional>
#include <memory>
#include <set>

namespace {

using namespace e2e;
using about_e2e::SnipforgeSession;

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

COLORREF screenPixel(HWND window, POINT clientPoint) {
    ClientToScreen(window, &clientPoint);
    const ScreenDc screen;
    return GetPixel(screen.dc, clientPoint.x, clientPoint.y) & 0xFFFFFF;
}

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
    const auto style = static_cast<DWORD>(GetWindowLongW(about, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(about, GWL_EXSTYLE));
    check((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0, "no minimise or maximise button");
    check((style & WS_SYSMENU) != 0, "a close box");
    check((style & WS_THICKFRAME) == 0, "a border that does not resize");
    check((exStyle & WS_EX_DLGMODALFRAME) != 0, "a dialog frame");
    HWND owner = GetWindow(about, GW_OWNER);
    check((exStyle & WS_EX_APPWINDOW) == 0 && (owner != nullptr || (exStyle & WS_EX_TOOLWINDOW)),
          "not shown in the taskbar");
    check(owner != main, "shown without the main window as its owner");
    check(IsWindowEnabled(main) == FALSE, "the main window takes no input while About is open");
}

void checkControls(const SnipforgeSession& session, HWND about) {
    const auto layout = snipforge::aboutWindowLayout();
    const int dpi = session.dpi();
    const SIZE client = clientSize(about);
    const SIZE expected = expectedClientSize(layout, dpi);
    checkEqual(client.cx, expected.cx, "client width of the About window");
    checkEqual(client.cy, expected.cy, "client height of the About window");

    for (const wchar_t* name : {L"lblTitle", L"lblVersion", L"lblDescription", L"lblDisclaimer",
                                L"cmdOK", L"cmdSysInfo"}) {
        HWND control = session.aboutControl(about, name);
        for (const auto& design : layout.controls) {
            if (design.name == name) {
                checkEqual(windowText(control), design.text, "text of " + utf8(name));
            }
        }
    }
    checkEqual(windowText(session.aboutControl(about, L"lblDescription")),
               L"This program comes with Duzarudar's Dovuraviz.  It's here so you can make your "
               L"own sniplets (see the options area of the spy to see what a sniplet is).",
               "the description, two blanks after its first full stop");
    checkEqual(windowText(session.aboutControl(about, L"cmdSysInfo")), L"&System Info...",
               "System Info button with S as its access key");

    // The icon box sizes itself to the icon; the icon is drawn in it.
    const int icon = platform::win32::iconPixels(dpi);
    const int iconLeft = platform::twipsToPixels(240, dpi);
    HWND picIcon = findControl(about, platform::win32::pictureBoxClassName,
                               {iconLeft, iconLeft, iconLeft + icon, iconLeft + icon});
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

// The etched separator: a grey line with a white one below it.
void checkSeparator(const SnipforgeSession& session, HWND about) {
    const int dpi = session.dpi();
    const int x = platform::twipsToPixels(3000, dpi);
    const int greyRow = platform::twipsToPixels(1905, dpi);
    const int whiteRow = platform::twipsToPixels(1920, dpi);
    const int whiteRows = platform::win32::scaleFrom96(2, dpi);
    const bool drawn = waitUntil([&] {
        return screenPixel(about, {x, greyRow}) == 0x808080 &&
               screenPixel(about, {x, whiteRow + whiteRows - 1}) == 0xFFFFFF;
    });
    check(drawn, "grey separator row " + std::to_string(greyRow) + " reads " +
                     std::to_string(screenPixel(about, {x, greyRow})) + ", white row " +
                     std::to_string(whiteRow + whiteRows - 1) + " reads " +
                     std::to_string(screenPixel(about, {x, whiteRow + whiteRows - 1})));
    check(screenPixel(about, {x, greyRow - 1}) != 0x808080, "nothing grey above the grey line");
}

void checkAboutWindow(const SnipforgeSession& session, HWND about) {
    checkPlacement(about);
    checkFrame(about, session.mainWindow());
    checkControls(session, about);
    checkSeparator(session, about);
}

void opensCentredAndClosesThreeWays() {
    SnipforgeSession session(L"three_ways", systemDpi());
    struct Way {
        const char* name;
        std::function<void(HWND)> close;
    };
    const Way ways[] = {
        {"Enter",
         [&](HWND about) {
             HWND ok = session.aboutControl(about, L"cmdOK");
             require(waitUntil([&] { return focusedWindow(about) == ok; }),
                     "OK has the focus when the window opens");
             pressKey(about, VK_RETURN);
         }},
        {"Esc", [](HWND about) { pressKey(about, VK_ESCAPE); }},
        {"the close box", [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        note(std::string("About window closed with ") + way.name);
        HWND about = session.openAbout();
        checkAboutWindow(session, about);
        // Moved away, so the next showing has to centre it again.
        SetWindowPos(about, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        way.close(about);
        session.expectAboutClosed(about);
    }
    session.close();
}

void laidOutAtHighDpi() {
    const LogPixelsOverride highDpi(144);
    SnipforgeSession session(L"high_dpi", 144);
    HWND about = session.openAbout();
    checkAboutWindow(session, about);
    clickButton(session.aboutControl(about, L"cmdOK"));
    session.expectAboutClosed(about);
    session.close();
}

} // namespace

int main() {
    measureInPhysicalPixels();
    Suite suite("about_window");
    suite.add("opens_centred_and_closes_three_ways", opensCentredAndClosesThreeWays);
    suite.add("laid_out_at_144_dpi", laidOutAtHighDpi);
    return suite.run();
}
