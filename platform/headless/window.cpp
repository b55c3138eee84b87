#include "platform/headless/headless.h"
#include "platform/screen.h"

#include <algorithm>
#include <map>
#include <memory>

namespace platform::headless {

namespace {

struct WindowState {
    std::function<void(Form&)> modalScript;
    TwipsSize screen{19200, 15360}; // 1280 x 1024 pixels at 96 DPI
    TwipsSize frameExtra{90, 390};  // borders and caption of a fixed window
    std::map<const Form*, bool> visible;
    std::map<const Form*, bool> modal;
};

WindowState& state() {
    static WindowState s;
    return s;
}

class HeadlessWindow : public WindowPeer {
public:
    explicit HeadlessWindow(Form& form) : form_(form) {
        const auto& design = form.design();
        bounds_.width = design.clientWidth + state().frameExtra.width;
        bounds_.height = design.clientHeight + state().frameExtra.height;
        if (design.position) {
            bounds_.left = design.position->x;
            bounds_.top = design.position->y;
        }
        for (const auto& control : form.controls()) {
            auto peer = std::make_unique<ShownControl>();
            control->attach(peer.get());
            peers_.push_back(std::move(peer));
        }
    }

    ~HeadlessWindow() override { forget(); }

    void show() override { state().visible[&form_] = true; }

    void runModal() override {
        show();
        state().modal[&form_] = true;
        if (state().modalScript) {
            auto script = state().modalScript;
            script(form_);
        }
        if (!destroyed_) {
            form_.unload();
        }
        state().modal[&form_] = false;
    }

    void destroy() override {
        destroyed_ = true;
        forget();
    }

    TwipsRect outerBounds() const override { return bounds_; }

    void moveTo(int leftTwips, int topTwips) override {
        bounds_.left = leftTwips;
        bounds_.top = topTwips;
    }

private:
    Form& form_;
    TwipsRect bounds_;
    bool destroyed_ = false;
    std::vector<std::unique_ptr<ShownControl>> peers_;

    void forget() {
        state().visible.erase(&form_);
        state().modal.erase(&form_);
    }
};

} // namespace

void resetWindows() {
    state() = WindowState{};
}

ShownControl* shown(const Control& control) {
    return dynamic_cast<ShownControl*>(control.peer());
}

void setModalScript(std::function<void(Form&)> script) {
    state().modalScript = std::move(script);
}

bool isVisible(const Form& form) {
    auto it = state().visible.find(&form);
    return it != state().visible.end() && it->second;
}

bool isModal(const Form& form) {
    auto it = state().modal.find(&form);
    return it != state().modal.end() && it->second;
}

void setScreenSize(int widthTwips, int heightTwips) {
    state().screen = {widthTwips, heightTwips};
}
void setFrameExtra(int widthTwips, int heightTwips) {
    state().frameExtra = {widthTwips, heightTwips};
}

} // namespace platform::headless

namespace platform {

std::unique_ptr<WindowPeer> createWindowPeer(Form& form) {
    return std::make_unique<headless::HeadlessWindow>(form);
}

int runApplication(Form& startForm) {
    startForm.show();
    return 0;
}

TwipsSize screenSize() {
    return headless::state().screen;
}

} // namespace platform
