#include "tests/e2e/driver/ui.h"

#include "tests/e2e/driver/check.h"

#include <commctrl.h>

#include <algorithm>

namespace e2e {

namespace {

constexpr UINT sendTimeoutMs = 5000;

struct TopLevelSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId) {
        search.found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

} // namespace

bool hasClass(HWND window, std::wstring_view windowClass) {
    const auto name = className(window);
    return CompareStringOrdinal(name.data(), static_cast<int>(name.size()), windowClass.data(),
                                static_cast<int>(windowClass.size()), TRUE) == CSTR_EQUAL;
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, sendTimeoutMs, &result) ==
        0) {
        const DWORD error = GetLastError();
        fail("message " + std::to_string(message) + " to window of class " +
             describe(className(window)) + " got no answer (error " + std::to_string(error) + ")");
    }
    return static_cast<LRESULT>(result);
}

std::wstring windowText(HWND window) {
    const auto length = static_cast<size_t>(sendMessage(window, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        sendMessage(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return text;
}

std::vector<HWND> topLevelWindows(DWORD processId) {
    TopLevelSearch search{processId, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findTopLevelWindow(DWORD processId, std::wstring_view caption) {
    for (HWND window : topLevelWindows(processId)) {
        if (IsWindowVisible(window) && windowText(window) == caption) {
            return window;
        }
    }
    return nullptr;
}

HWND waitForTopLevelWindow(DWORD processId, std::wstring_view caption, milliseconds timeout) {
    HWND window = nullptr;
    waitUntil([&] { return (window = findTopLevelWindow(processId, caption)) != nullptr; },
              timeout);
    if (window == nullptr) {
        std::string seen;
        for (HWND other : topLevelWindows(processId)) {
            // Appended piece by piece: GCC 12 warns wrongly about "x" + std::string&&.
            seen.append(" ").append(describe(windowText(other)));
            seen.append(IsWindowVisible(other) ? "" : " (hidden)");
        }
        fail("no visible window " + describe(caption) + " of process " + std::to_string(processId) +
             " within " + std::to_string(timeout.count()) +
             " ms; its top-level windows:" + (seen.empty() ? " none" : seen));
    }
    return window;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

COLORREF screenPixel(HWND window, POINT clientPoint) {
    ClientToScreen(window, &clientPoint);
    const ScreenDc screen;
    return GetPixel(screen.dc, clientPoint.x, clientPoint.y) & 0xFFFFFF;
}

PointerAt::PointerAt(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    require(GetCursorPos(&before_) != 0 && SetCursorPos((bounds.left + bounds.right) / 2,
                                                        (bounds.top + bounds.bottom) / 2) != 0,
            "cannot move the pointer");
}

PointerAt::~PointerAt() {
    SetCursorPos(before_.x, before_.y);
}

HCURSOR shownCursor() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    require(GetCursorInfo(&info) != 0, "cannot read the cursor");
    return info.hCursor;
}

int darkPixelRows(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right;
    const int height = client.bottom;
    const ScreenDc screen;
    HDC memory = CreateCompatibleDC(screen.dc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    require(memory != nullptr && bitmap != nullptr, "cannot make a bitmap to copy the screen into");
    HGDIOBJ before = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen.dc, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    int rows = 0;
    const auto* pixels = static_cast<const unsigned char*>(bits);
    for (int y = 0; copied && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* pixel = pixels + (static_cast<std::size_t>(y) * width + x) * 4;
            if (pixel[0] + pixel[1] + pixel[2] < 3 * 128) {
                ++rows;
                break;
            }
        }
    }
    SelectObject(memory, before);
    DeleteObject(bitmap);
    DeleteDC(memory);
    require(copied, "cannot copy the screen");
    return rows;
}

RECT rectInClientOf(HWND control, HWND form) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE clientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::string describe(const RECT& rect) {
    return "(left " + std::to_string(rect.left) + ", top " + std::to_string(rect.top) + ", width " +
           std::to_string(rect.right - rect.left) + ", height " +
           std::to_string(rect.bottom - rect.top) + ")";
}

void clickAt(HWND window, POINT clientPoint) {
    const LPARAM position = MAKELPARAM(clientPoint.x, clientPoint.y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
    PostMessageW(window, WM_LBUTTONUP, 0, position);
}

HWND focusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

void typeText(HWND edit, std::wstring_view text) {
    if (focusedWindow(edit) != edit) {
        const SIZE size = clientSize(edit);
        clickAt(edit, {size.cx / 2, size.cy / 2});
        require(waitUntil([&] { return focusedWindow(edit) == edit; }),
                "a click in the edit control did not give it the focus");
    }
    sendMessage(edit, EM_SETSEL, 0, -1);
    const std::wstring copy(text);
    sendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(copy.c_str()));
}

void clickButton(HWND button) {
    require(PostMessageW(button, BM_CLICK, 0, 0) != 0, "could not post a click to the button");
}

bool isChecked(HWND button) {
    return sendMessage(button, BM_GETCHECK) == BST_CHECKED;
}

void pressKey(HWND window, UINT virtualKey) {
    HWND target = focusedWindow(window);
    require(target != nullptr, "no control has the focus to press a key in");
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scanCode) << 16));
    PostMessageW(target, WM_KEYUP, virtualKey,
                 1 | (static_cast<LPARAM>(scanCode) << 16) | (3LL << 30));
}

void pressChordInFront(HWND window, WORD modifier, WORD key) {
    SetForegroundWindow(window);
    require(waitUntil([&] { return GetForegroundWindow() == window; }),
            "the window could not be brought to the front");
    INPUT keys[4] = {};
    const WORD order[4][2] = {
        {modifier, 0}, {key, 0}, {key, KEYEVENTF_KEYUP}, {modifier, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i][0];
        keys[i].ki.wScan = static_cast<WORD>(MapVirtualKeyW(order[i][0], MAPVK_VK_TO_VSC));
        keys[i].ki.dwFlags = order[i][1];
    }
    require(SendInput(4, keys, sizeof(INPUT)) == 4, "the keys could not be sent");
}

void waitForIdle(HWND marker, milliseconds timeout) {
    // Posted messages are handled in order: once the marker has been handled,
    // everything posted before it has been handled too (or its handler is waiting in
    // a modal loop). The handler may run for a while: short sends, polled.
    const bool list = hasClass(marker, L"SysListView32");
    require(list || hasClass(marker, L"Edit"), "waitForIdle needs an edit or a list");
    const auto answer = [&](UINT message, WPARAM wParam, DWORD_PTR& result) {
        return SendMessageTimeoutW(marker, message, wParam, 0, SMTO_NORMAL, 100, &result) != 0;
    };
    DWORD_PTR value = 0;
    bool handled = false;
    if (list) {
        // The hover time of a list without hover selection changes nothing the user sees.
        static UINT lastMarker = 0;
        const UINT posted = 1000 + (++lastMarker % 1000);
        PostMessageW(marker, LVM_SETHOVERTIME, 0, posted);
        handled = waitUntil([&] { return answer(LVM_GETHOVERTIME, 0, value) && value == posted; },
                            timeout);
    } else {
        // The edit's modified flag: cleared, set by the marker, cleared again.
        handled = waitUntil([&] { return answer(EM_SETMODIFY, FALSE, value); }, timeout);
        PostMessageW(marker, EM_SETMODIFY, TRUE, 0);
        handled = handled &&
                  waitUntil([&] { return answer(EM_GETMODIFY, 0, value) && value != 0; }, timeout);
        handled = handled && answer(EM_SETMODIFY, FALSE, value);
    }
    require(handled, "the program was still busy after " + std::to_string(timeout.count()) + " ms");
}

} // namespace e2e
