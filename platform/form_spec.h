// A window described as data: the window's own properties and a table of controls
// with their twips geometry, as a forms designer would store them.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// Positions and sizes in twips (1/1440 inch), relative to the control's container.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct TwipsPoint {
    int x = 0;
    int y = 0;
};

enum class ControlKind {
    Frame,         // captioned group box; a container
    Label,         // static text
    TextBox,       // edit control, single or multi-line
    OptionButton,  // radio button; grouped by its container
    CommandButton, // push button
    PictureBox,    // borderless container; may show the program icon
    Line,          // a straight line drawn on the form
    CheckList,     // list of rows, each with a check box
};

struct ControlSpec {
    std::wstring name; // designer name: "Text1", "optcode16", "cmdOK" ...
    ControlKind kind = ControlKind::Label;
    std::wstring container; // name of a Frame or PictureBox; empty for the form itself
    std::wstring text;      // caption or initial text
    TwipsRect rect;         // for a Line: from (left, top) to (left + width, top + height)
    int tabIndex = -1;      // -1: takes no part in the tab order
    bool tabStop = true; // false: keyboard focus skips it (labels, frames and lines never get it)

    bool multiLine = false;      // TextBox
    bool verticalScroll = false; // TextBox
    bool selected = false;       // OptionButton: its initial Value
    bool isDefault = false;      // CommandButton: pressed by Enter
    bool isCancel = false;       // CommandButton: pressed by Esc
    bool showsIcon = false;      // PictureBox: shows the program icon, sized to it
    std::wstring labelFor;       // Label: the control it names, for screen readers
    unsigned lineColor = 0;      // Line: 0x00BBGGRR
    int lineWidthPixels = 1;     // Line
};

// One row of a control table; the kind-specific fields keep their defaults.
inline ControlSpec controlSpec(std::wstring name, ControlKind kind, std::wstring container,
                               std::wstring text, TwipsRect rect, int tabIndex) {
    ControlSpec design;
    design.name = std::move(name);
    design.kind = kind;
    design.container = std::move(container);
    design.text = std::move(text);
    design.rect = rect;
    design.tabIndex = tabIndex;
    return design;
}

enum class BorderStyle {
    FixedSingle, // fixed border, caption, close box; no minimise or maximise box
    FixedDialog, // dialog frame, caption, close box; no minimise or maximise box
};

struct FormSpec {
    std::wstring name;                  // "Form1", "frmAbout", "frmAddIns"
    std::wstring caption;               // title bar text
    int clientWidth = 0;                // twips
    int clientHeight = 0;               // twips
    std::optional<TwipsPoint> position; // outer top-left on the screen; none: system default
    BorderStyle border = BorderStyle::FixedSingle;
    bool showInTaskbar = true;
    std::vector<ControlSpec> controls;
};

} // namespace platform
