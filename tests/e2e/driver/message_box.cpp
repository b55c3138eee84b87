#include "tests/e2e/driver/message_box.h"

#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/ui.h"

#include <algorithm>
#include <optional>

namespace e2e {

namespace {

constexpr int textStaticId = 0xFFFF;
constexpr int iconStaticId = 0x440;

// A bitmap of the screen's format, drawn into through a device context of its own.
class MemoryBitmap {
public:
    MemoryBitmap(int width, int height)
        : dc_(CreateCompatibleDC(screen_.dc)),
          bitmap_(CreateCompatibleBitmap(screen_.dc, width, height)),
          previous_(SelectObject(dc_, bitmap_)), width_(width), height_(height) {}
    ~MemoryBitmap() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    HDC dc() const { return dc_; }
    HDC screen() const { return screen_.dc; }
    std::vector<COLORREF> pixels() const {
        std::vector<COLORREF> result;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                result.push_back(GetPixel(dc_, x, y));
            }
        }
        return result;
    }

private:
    ScreenDc screen_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    int width_;
    int height_;
};

// What the icon static shows, read from the screen.
std::vector<COLORREF> captureScreen(const RECT& rect) {
    const MemoryBitmap copy(rect.right - rect.left, rect.bottom - rect.top);
    BitBlt(copy.dc(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, copy.screen(),
           rect.left, rect.top, SRCCOPY);
    return copy.pixels();
}

// A system icon drawn as a static control draws it: at its default size, from the
// top-left corner, over the given background.
std::vector<COLORREF> renderIcon(LPCWSTR iconId, int width, int height, COLORREF background) {
    const MemoryBitmap image(width, height);
    HBRUSH brush = CreateSolidBrush(background);
    const RECT all{0, 0, width, height};
    FillRect(image.dc(), &all, brush);
    DeleteObject(brush);
    DrawIconEx(image.dc(), 0, 0, LoadIconW(nullptr, iconId), 0, 0, 0, nullptr, DI_NORMAL);
    return image.pixels();
}

std::optional<BoxIcon> matchIcon(HWND iconStatic) {
    RECT rect{};
    GetWindowRect(iconStatic, &rect);
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return std::nullopt;
    }
    const auto shown = captureScreen(rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // The corner of a system icon is transparent: it shows the box's background.
    const COLORREF background = shown.front();
    const std::pair<BoxIcon, LPCWSTR> candidates[] = {{BoxIcon::Stop, IDI_HAND},
                                                      {BoxIcon::Question, IDI_QUESTION},
                                                      {BoxIcon::Exclamation, IDI_EXCLAMATION},
                                                      {BoxIcon::Information, IDI_ASTERISK}};
    for (const auto& [icon, id] : candidates) {
        if (renderIcon(id, width, height, background) == shown) {
            return icon;
        }
    }
    return std::nullopt;
}

BoxIcon readIcon(HWND box) {
    HWND iconStatic = GetDlgItem(box, iconStaticId);
    if (iconStatic == nullptr || !IsWindowVisible(iconStatic) ||
        sendMessage(iconStatic, STM_GETICON) == 0) {
        return BoxIcon::None;
    }
    std::optional<BoxIcon> icon;
    // Painting may lag behind the box's appearance: poll for a match.
    waitUntil([&] { return (icon = matchIcon(iconStatic)).has_value(); }, milliseconds{2000});
    return icon.value_or(BoxIcon::Other);
}

// The visible message boxes of the process.
std::vector<HWND> messageBoxes(DWORD processId) {
    std::vector<HWND> boxes;
    for (HWND window : topLevelWindows(processId)) {
        if (IsWindowVisible(window) && className(window) == L"#32770") {
            boxes.push_back(window);
        }
    }
    return boxes;
}

MessageBoxView readBox(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.title = windowText(box);
    if (HWND text = GetDlgItem(box, textStaticId)) {
        view.text = windowText(text);
    }
    for (HWND child : descendants(box)) {
        if (IsWindowVisible(child) && className(child) == L"Button") {
            view.buttons.push_back(GetDlgCtrlID(child));
        }
    }
    std::sort(view.buttons.begin(), view.buttons.end());
    return view;
}

} // namespace

std::string describe(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::None:
        return "no icon";
    case BoxIcon::Stop:
        return "the stop icon";
    case BoxIcon::Question:
        return "the question-mark icon";
    case BoxIcon::Exclamation:
        return "the exclamation icon";
    case BoxIcon::Information:
        return "the information icon";
    case BoxIcon::Other:
        break;
    }
    return "an icon that is none of the system's four";
}

void checkBox(const MessageBoxView& box, std::wstring_view title, std::wstring_view text,
              BoxIcon icon, const std::vector<int>& buttons, std::string_view what,
              std::source_location where) {
    const std::string prefix = std::string(what) + ": ";
    checkEqual(box.title, title, prefix + "title", where);
    checkEqual(box.text, text, prefix + "text", where);
    check(box.icon == icon,
          prefix + "shows " + describe(box.icon) + " where " + describe(icon) + " belongs", where);
    checkEqual(box.buttons, buttons, prefix + "button ids", where);
}

MessageBoxView waitForMessageBox(DWORD processId, milliseconds timeout) {
    std::vector<HWND> boxes;
    if (!waitUntil([&] { return !(boxes = messageBoxes(processId)).empty(); }, timeout)) {
        fail("no message box came up within " + std::to_string(timeout.count()) + " ms");
    }
    // The box fills in its text and buttons a moment after it becomes visible.
    MessageBoxView view;
    waitUntil(
        [&] {
            view = readBox(boxes.front());
            return !view.text.empty() && !view.buttons.empty();
        },
        milliseconds{2000});
    boxes = messageBoxes(processId);
    require(boxes.size() == 1,
            std::to_string(boxes.size()) + " message boxes are up where one was expected");
    view.icon = readIcon(view.window);
    return view;
}

void answer(const MessageBoxView& box, int buttonId) {
    HWND button = GetDlgItem(box.window, buttonId);
    require(button != nullptr && IsWindowVisible(button),
            "the message box has no button with id " + std::to_string(buttonId));
    clickButton(button);
    require(waitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }),
            "the message box did not close after its button " + std::to_string(buttonId) +
                " was pressed");
}

bool noMessageBoxWithin(DWORD processId, milliseconds period) {
    return staysFalse([&] { return !messageBoxes(processId).empty(); }, period);
}

} // namespace e2e
