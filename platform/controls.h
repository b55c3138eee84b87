// Controls with the semantics the windows rely on. The control object holds the
// state; a peer (Win32 window or headless stand-in) shows it and reports what the
// user does. Window code only ever sees these classes.
#pragma once

#include "platform/form_spec.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Form;

// The platform's side of a control. Calls from the control to its peer never
// come back as events: the control raises its own events.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void showText(const std::wstring& text) = 0;
    virtual void showValue(bool) {}                // option buttons
    virtual void showRowsFrom(std::size_t) {}      // check lists: rows from this one on changed
    virtual void showChecked(std::size_t, bool) {} // check lists: one row's box
    virtual void setRedraw(bool) {}                // check lists: batch updates
    virtual void refreshTip(std::size_t) {}        // check lists: a row's tip text changed
    virtual void hideTip() {}                      // check lists
};

class Control {
public:
    Control(Form& form, ControlSpec design);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlSpec& design() const { return design_; }
    const std::wstring& name() const { return design_.name; }
    Form& form() const { return form_; }

    // Backend side: the peer that shows this control while its window is loaded.
    void attach(ControlPeer* peer);
    ControlPeer* peer() const { return peer_; }

    // Back to the designed state, as when the window is loaded afresh.
    virtual void reset() {}

protected:
    Form& form_;
    ControlSpec design_;
    ControlPeer* peer_ = nullptr;
    virtual void pushToPeer() {}
};

class TextBox : public Control {
public:
    TextBox(Form& form, ControlSpec design);

    const std::wstring& text() const { return text_; }
    // Setting the text from code raises Change at once, nested in the caller,
    // and only when the text differs from what the box holds.
    void setText(const std::wstring& text);
    std::function<void()> onChange;

    // Backend side: the user edited the box; always raises Change.
    void userEdited(const std::wstring& text);

    void reset() override;

private:
    std::wstring text_;
    void pushToPeer() override;
};

class OptionButton : public Control {
public:
    OptionButton(Form& form, ControlSpec design);

    bool value() const { return value_; }
    // Selecting deselects the other option buttons of the same container, then
    // raises Click. Clearing raises nothing.
    void setValue(bool value);
    std::function<void()> onClick;

    // Backend side: the user clicked (or arrowed onto) this button.
    void userClicked();

    void reset() override;

private:
    bool value_ = false;
    void deselectSiblings();
    void pushToPeer() override;
};

class CommandButton : public Control {
public:
    CommandButton(Form& form, ControlSpec design);
    std::function<void()> onClick;
    // Backend side (and the e2e of keyboard roles): raises Click.
    void userClicked();
};

// Labels, frames, picture boxes and lines: they only show their design.
class StaticControl : public Control {
public:
    using Control::Control;

private:
    void pushToPeer() override;
};

// The rows' texts are kept as pieces of one block of UTF-8 text, and their checks
// as bytes, so a list of a million rows holds no string per row, and a block that
// already holds the texts (a catalogue as it came) can be handed over as it is.
class CheckList : public Control {
public:
    CheckList(Form& form, ControlSpec design);

    // Where a row's text lies in the block, in bytes.
    struct Piece {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    std::size_t count() const { return pieces_.size(); }
    std::wstring item(std::size_t row) const;
    // The same text into `text`, whose storage is reused: for a walk over many rows.
    void itemInto(std::size_t row, std::wstring& text) const;
    bool checked(std::size_t row) const { return checks_.at(row) != 0; }
    void setChecked(std::size_t row, bool checked);

    void clear();
    void addItem(std::wstring_view text); // appended unchecked, as the last row
    // Replaces every row with these pieces of `utf8`, unchecked, in this order.
    // Each piece must lie within the block and hold well-formed UTF-8.
    void setItems(std::string utf8, std::vector<Piece> pieces);

    // Many rows at once without a redraw per row; nests.
    void beginUpdate();
    void endUpdate();

    // The tip beside a row, for the row under the pointer and the focused row:
    // the backend asks for its text each time it shows it.
    std::function<std::wstring(std::size_t row)> tipText;
    // The row's tip text changed: a tip showing that row asks again.
    void tipChanged(std::size_t row);
    void hideTip();
    // Raised after setItems (and clear) replaced every row: a new list.
    std::function<void()> onRowsReplaced;

    // Backend side: the user toggled a row's box.
    void userToggled(std::size_t row, bool checked);
    // Backend side: Space. With the focused row among several selected ones,
    // every selected row takes the opposite of the focused row's check; otherwise
    // the focused row alone toggles. Returns the rows whose check changed.
    std::vector<std::size_t> userPressedSpace(std::size_t focused,
                                              const std::vector<std::size_t>& selected);

    void reset() override;

private:
    static constexpr std::size_t allShown = static_cast<std::size_t>(-1);
    std::string utf8_;
    std::vector<Piece> pieces_;
    std::vector<std::uint8_t> checks_; // 0 or 1: less code than std::vector<bool>
    int updateDepth_ = 0;
    std::size_t firstUnshownRow_ = allShown; // the peer is behind from this row on
    void showPending();
    void pushToPeer() override;
};

} // namespace platform
