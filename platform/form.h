// A window built from a FormSpec, with the lifetime of a forms runtime: a Form
// object can be loaded (its window exists), shown, shown modally and unloaded
// (its window is gone, its controls back to their designed state), many times.
#pragma once

#include "platform/controls.h"
#include "platform/form_spec.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Form;

// The platform's side of a window: creates the control peers on construction and
// attaches them to the form's controls.
class WindowPeer {
public:
    virtual ~WindowPeer() = default;
    virtual void show() = 0;
    // Shows the window and returns once it has been destroyed; meanwhile every
    // other window of the program takes no input.
    virtual void runModal() = 0;
    // Destroys the window (ends runModal); the peer object may live on until then.
    virtual void destroy() = 0;
    // The outer rectangle, caption and borders included, in screen twips.
    virtual TwipsRect outerBounds() const = 0;
    virtual void moveTo(int leftTwips, int topTwips) = 0;
};

// Implemented once per backend (win32/, headless/).
std::unique_ptr<WindowPeer> createWindowPeer(Form& form);

class Form {
public:
    explicit Form(FormSpec design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormSpec& design() const { return design_; }

    // Controls by designer name; a name not in the table is a programming error
    // (std::logic_error).
    Control& control(std::wstring_view name) const;
    TextBox& textBox(std::wstring_view name) const;
    OptionButton& optionButton(std::wstring_view name) const;
    CommandButton& commandButton(std::wstring_view name) const;
    CheckList& checkList(std::wstring_view name) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // Raised each time the window is loaded, before it is first shown.
    std::function<void()> onLoad;

    // Commands beyond the controls: an item at the end of the window's system
    // menu, also run by Ctrl and the letter. Set before the window is loaded.
    struct Command {
        std::wstring menuCaption;
        wchar_t controlLetter; // upper case
        std::function<void()> run;
    };
    std::vector<Command> commands;
    // Files dropped on the window, full paths; the window takes drops only when
    // this is set before it is loaded.
    std::function<void(const std::vector<std::wstring>&)> onFilesDropped;

    void load(); // creates the window, hidden, then raises onLoad; nothing when loaded
    void show(); // loads when needed, then shows
    // Loads when needed, shows, and returns when the window has been unloaded.
    void showModal();
    void unload(); // destroys the window; nothing when not loaded
    bool loaded() const { return windowAlive_; }

    // Outer geometry in twips, caption and borders included (Width, Height, Left, Top).
    int width() const;
    int height() const;
    int left() const;
    int top() const;
    void move(int leftTwips, int topTwips);

    // Backend side: the user closed the window with its close box; unloads it.
    void userClosed();
    // Backend side: the window's peer; nullptr while the form is not loaded.
    WindowPeer* peer() const { return windowAlive_ ? peer_.get() : nullptr; }

private:
    FormSpec design_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::unique_ptr<WindowPeer> peer_;
    bool inModal_ = false;
    bool windowAlive_ = false; // the peer object may outlive its window inside showModal

    template <class T> T& typed(std::wstring_view name) const;
    void detachControls();
};

// Runs the program's start window: loads and shows it, then handles events until
// it is unloaded. Returns the process exit code.
int runApplication(Form& startForm);

} // namespace platform
