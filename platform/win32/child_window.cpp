#include "platform/win32/child_window.h"

#include "platform/win32/flag_scope.h"
#include "platform/win32/handles.h"
#include "platform/win32/layout.h"
#include "platform/win32/program_icon.h"

#include <stdexcept>

namespace platform::win32 {

namespace {

class TextBoxWindow final : public ChildWindow {
public:
    TextBoxWindow(TextBox& box, const ChildPlacement& placement)
        : ChildWindow(createChildWindow(windowClassOf(ControlKind::TextBox), L"",
                                        styleFor(box.design()), WS_EX_CLIENTEDGE, placement)),
          box_(box) {
        // No length limit of our own.
        SendMessageW(window_, EM_SETLIMITTEXT, 0, 0);
    }

    void showText(const std::wstring& text) override {
        // A single-line edit reports EN_CHANGE for WM_SETTEXT, a multi-line one
        // does not: text set from code raises nothing here either way.
        FlagScope showing(showing_);
        SetWindowTextW(window_, text.c_str());
    }

    void onCommand(WORD code) override {
        if (code == EN_CHANGE && !showing_) {
            box_.userEdited(windowText(window_));
        }
    }

    void focusedByKeyboard() override { SendMessageW(window_, EM_SETSEL, 0, -1); }

private:
    TextBox& box_;
    bool showing_ = false;

    static DWORD styleFor(const ControlSpec& design) {
        if (!design.multiLine) {
            return ES_LEFT | ES_AUTOHSCROLL;
        }
        return ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL |
               (design.verticalScroll ? WS_VSCROLL : 0);
    }
};

// An auto radio button, so that arrow keys select as they move within the group;
// the check marks still follow the model, which sets every button of the group.
class OptionButtonWindow final : public ChildWindow {
public:
    OptionButtonWindow(OptionButton& option, const ChildPlacement& placement)
        : ChildWindow(createChildWindow(windowClassOf(ControlKind::OptionButton),
                                        option.design().text, BS_AUTORADIOBUTTON, 0, placement)),
          option_(option) {}

    void showValue(bool value) override {
        SendMessageW(window_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    void onCommand(WORD code) override {
        if (code == BN_CLICKED) {
            option_.userClicked();
        }
    }

private:
    OptionButton& option_;
};

class CommandButtonWindow final : public ChildWindow {
public:
    CommandButtonWindow(CommandButton& button, const ChildPlacement& placement)
        : ChildWindow(createChildWindow(
              windowClassOf(ControlKind::CommandButton), button.design().text,
              button.design().isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 0, placement)),
          button_(button) {}

    void onCommand(WORD code) override {
        if (code == BN_CLICKED) {
            button_.userClicked();
        }
    }

private:
    CommandButton& button_;
};

// Labels and frames: they show their caption and report nothing.
class StaticWindow final : public ChildWindow {
public:
    StaticWindow(const wchar_t* className, const ControlSpec& design, DWORD style,
                 const ChildPlacement& placement)
        : ChildWindow(createChildWindow(className, design.text, style, 0, placement)) {}
};

// ---- Picture box: a container with no look of its own, or the program icon.

LRESULT CALLBACK pictureBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        // Clicks go through to the option buttons it holds.
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1; // the form has painted what lies beneath
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(window, &paint)) {
            // The window is sized to the icon it shows.
            if (const auto icon =
                    reinterpret_cast<HICON>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
                RECT client;
                GetClientRect(window, &client);
                DrawIconEx(dc, 0, 0, icon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
            }
            EndPaint(window, &paint);
        }
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerPictureBoxClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = pictureBoxProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = pictureBoxClassName;
        if (!RegisterClassExW(&windowClass)) {
            throw std::runtime_error("cannot register the picture box window class");
        }
        return true;
    }();
    (void)registered;
}

class PictureBoxWindow final : public ChildWindow {
public:
    explicit PictureBoxWindow(const ChildPlacement& placement)
        : ChildWindow((registerPictureBoxClass(),
                       createChildWindow(pictureBoxClassName, L"", 0, 0, placement))) {}

    void showText(const std::wstring&) override {}

    // Only a picture box that shows the program icon is given a size for it.
    void sizeIcon(int pixels) override {
        IconHandle icon = loadProgramIcon(pixels);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(icon.get()));
        icon_ = std::move(icon);
        InvalidateRect(window_, nullptr, TRUE);
    }

private:
    IconHandle icon_;
};

template <class Kind> Kind& as(Control& control) {
    if (auto* typed = dynamic_cast<Kind*>(&control)) {
        return *typed;
    }
    throw std::logic_error("a control's kind does not match its object");
}

} // namespace

void ChildWindow::showText(const std::wstring& text) {
    SetWindowTextW(window_, text.c_str());
}

void ChildWindow::useFont(HFONT font) {
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

HWND createChildWindow(const wchar_t* className, const std::wstring& text, DWORD style,
                       DWORD extendedStyle, const ChildPlacement& placement) {
    style |= WS_CHILD | WS_VISIBLE;
    if (placement.startsGroup) {
        style |= WS_GROUP;
    }
    if (placement.tabStop) {
        style |= WS_TABSTOP;
    }
    HWND window =
        CreateWindowExW(extendedStyle, className, text.c_str(), style, 0, 0, 0, 0, placement.parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        throw std::runtime_error("cannot create a control window");
    }
    return window;
}

std::unique_ptr<ChildWindow> createControlWindow(Control& control,
                                                 const ChildPlacement& placement) {
    const auto& design = control.design();
    switch (design.kind) {
    case ControlKind::TextBox:
        return std::make_unique<TextBoxWindow>(as<TextBox>(control), placement);
    case ControlKind::OptionButton:
        return std::make_unique<OptionButtonWindow>(as<OptionButton>(control), placement);
    case ControlKind::CommandButton:
        return std::make_unique<CommandButtonWindow>(as<CommandButton>(control), placement);
    case ControlKind::CheckList:
        return createCheckListWindow(as<CheckList>(control), placement);
    case ControlKind::Frame:
        return std::make_unique<StaticWindow>(windowClassOf(design.kind), design, BS_GROUPBOX,
                                              placement);
    case ControlKind::Label: {
        // A label one line high clips rather than wraps: at 120 and 144 DPI the
        // font rounds up a little more than the box, and a wrapped word would
        // show as a cut-off second line.
        constexpr int twoLinesOfText = 400; // twips, Arial 8.25 pt
        const DWORD style = design.rect.height < twoLinesOfText ? SS_LEFTNOWORDWRAP : SS_LEFT;
        return std::make_unique<StaticWindow>(windowClassOf(design.kind), design, style, placement);
    }
    case ControlKind::PictureBox:
        return std::make_unique<PictureBoxWindow>(placement);
    case ControlKind::Line:
        break;
    }
    return nullptr;
}

} // namespace platform::win32
