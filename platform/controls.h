// Controls with the semantics the windows rely on. The control object holds the
// state; a peer (Win32 window or headless stand-in) shows it and reports what the
// user does. Window code only ever sees these classes.
#pragma once

#include "platform/form_spec.h"

#include <cstddef>
#include <functional>
#include <string>
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

class CheckList : public Control {
public:
    CheckList(Form& form, ControlSpec design);

    std::size_t count() const { return rows_.size(); }
    const std::wstring& item(std::size_t row) const { return rows_.at(row).text; }
    bool checked(std::size_t row) const { return rows_.at(row).checked; }
    void setChecked(std::size_t row, bool checked);

    void clear();
    void addItem(const std::wstring& text); // appended unchecked, as the last row

    // Many rows at once without a redraw per row; nests.
    void beginUpdate();
    void endUpdate();

    // Backend side: the user toggled a row's box.
    void userToggled(std::size_t row, bool checked);

    void reset() override;

private:
    struct Row {
        std::wstring text;
        bool checked = false;
    };
    static constexpr std::size_t allShown = static_cast<std::size_t>(-1);
    std::vector<Row> rows_;
    int updateDepth_ = 0;
    std::size_t firstUnshownRow_ = allShown; // the peer is behind from this row on
    void showPending();
    void pushToPeer() override;
};

} // namespace platform
