// A small window with known behaviour, for testing the end-to-end driver itself:
// an edit that reports each change in a label, a button that shows a message box
// with the style typed in the edit, and a button that is slow to handle its click.
#include <windows.h>

#include <string>

namespace {

constexpr int editId = 10;
constexpr int reportId = 11;
constexpr int boxId = 12;
constexpr int slowId = 13;

int changes = 0;

void report(HWND window, const std::wstring& text) {
    SetDlgItemTextW(window, reportId, text.c_str());
}

std::wstring editText(HWND window) {
    wchar_t text[256] = {};
    GetDlgItemTextW(window, editId, text, 256);
    return text;
}

LRESULT CALLBACK probeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == editId && HIWORD(wParam) == EN_CHANGE) {
            report(window, std::to_wstring(++changes) + L":" + editText(window));
        } else if (LOWORD(wParam) == boxId && HIWORD(wParam) == BN_CLICKED) {
            const auto style =
                static_cast<UINT>(std::wcstol(editText(window).c_str(), nullptr, 10));
            const int answer = MessageBoxW(window, (L"Style " + std::to_wstring(style)).c_str(),
                                           L"Probe box", style);
            report(window, L"answer " + std::to_wstring(answer));
        } else if (LOWORD(wParam) == slowId && HIWORD(wParam) == BN_CLICKED) {
            Sleep(400);
            report(window, L"slow done");
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
           RECT rect, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, rect.left,
                           rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = probeProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"E2eProbe";
    RegisterClassW(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT outer{0, 0, 300, 200};
    AdjustWindowRect(&outer, style, FALSE);
    HWND window = CreateWindowW(L"E2eProbe", L"e2e probe", style, 50, 60, outer.right - outer.left,
                                outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    child(window, L"Edit", L"", ES_AUTOHSCROLL | WS_TABSTOP, editId, {10, 10, 210, 34},
          WS_EX_CLIENTEDGE);
    child(window, L"Static", L"", 0, reportId, {10, 40, 290, 60});
    child(window, L"Button", L"Box", BS_PUSHBUTTON | WS_TABSTOP, boxId, {10, 70, 110, 94});
    child(window, L"Button", L"Slow", BS_PUSHBUTTON | WS_TABSTOP, slowId, {120, 70, 220, 94});
    ShowWindow(window, SW_SHOW);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
