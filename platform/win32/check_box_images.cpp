#include "platform/win32/check_box_images.h"

#include "platform/win32/handles.h"
#include "platform/win32/layout.h"
#include "platform/win32/system_library.h"

#include <algorithm>

namespace platform::win32 {

namespace {

// The theme functions of uxtheme, from the system folder only, bound on first
// use; all null where there is no uxtheme or no theme.
struct ThemeFunctions {
    using OpenForDpi = HANDLE(WINAPI*)(HWND, LPCWSTR, UINT);
    using Open = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using Draw = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    using Close = HRESULT(WINAPI*)(HANDLE);
    OpenForDpi openForDpi = nullptr;
    Open open = nullptr;
    Draw draw = nullptr;
    Close close = nullptr;
};

const ThemeFunctions& themeFunctions() {
    static const ThemeFunctions functions = [] {
        ThemeFunctions found;
        if (HMODULE uxtheme = loadSystemLibrary(L"uxtheme.dll")) {
            found.openForDpi =
                functionOf<ThemeFunctions::OpenForDpi>(uxtheme, "OpenThemeDataForDpi");
            found.open = functionOf<ThemeFunctions::Open>(uxtheme, "OpenThemeData");
            found.draw = functionOf<ThemeFunctions::Draw>(uxtheme, "DrawThemeBackground");
            found.close = functionOf<ThemeFunctions::Close>(uxtheme, "CloseThemeData");
        }
        return found;
    }();
    return functions;
}

// Where the theme draws the box; false where there is no theme.
bool drawThemedBox(HWND window, HDC dc, const RECT& box, bool checked, int dpi) {
    const auto& theme = themeFunctions();
    if (!theme.draw || !theme.close || (!theme.openForDpi && !theme.open)) {
        return false;
    }
    const HANDLE data = theme.openForDpi
                            ? theme.openForDpi(window, L"BUTTON", static_cast<UINT>(dpi))
                            : theme.open(window, L"BUTTON");
    if (!data) {
        return false;
    }
    constexpr int checkBoxPart = 3; // BP_CHECKBOX
    const int state = checked ? 5 /* CBS_CHECKEDNORMAL */ : 1 /* CBS_UNCHECKEDNORMAL */;
    const bool drawn = SUCCEEDED(theme.draw(data, dc, checkBoxPart, state, &box, nullptr));
    theme.close(data);
    return drawn;
}

} // namespace

HIMAGELIST makeCheckBoxImages(HWND window, int pixels, int dpi) {
    // What lies around the box is see-through; the box itself is opaque.
    constexpr COLORREF seeThrough = RGB(255, 0, 255);
    ScreenDc screen;
    const MemoryDc dc(CreateCompatibleDC(screen.get()));
    const BrushHandle background(CreateSolidBrush(seeThrough));
    HIMAGELIST images = ImageList_Create(pixels, pixels, ILC_COLOR32 | ILC_MASK, 2, 0);
    const int side = std::min(pixels, scaleFrom96(13, dpi));
    const int offset = (pixels - side) / 2;
    const RECT whole{0, 0, pixels, pixels};
    const RECT box{offset, offset, offset + side, offset + side};
    bool made = dc && background && images;
    for (const bool checked : {false, true}) {
        const BitmapHandle bitmap(made ? CreateCompatibleBitmap(screen.get(), pixels, pixels)
                                       : nullptr);
        if (!bitmap) {
            made = false;
            break;
        }
        {
            const SelectedObject selected(dc.get(), bitmap.get());
            FillRect(dc.get(), &whole, background.get());
            if (!drawThemedBox(window, dc.get(), box, checked, dpi)) {
                RECT frame = box;
                DrawFrameControl(dc.get(), &frame, DFC_BUTTON,
                                 DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
            }
        }
        made = ImageList_AddMasked(images, bitmap.get(), seeThrough) >= 0;
    }
    if (!made && images) {
        ImageList_Destroy(images);
        images = nullptr;
    }
    return images;
}

} // namespace platform::win32
