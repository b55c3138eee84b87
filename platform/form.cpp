#include "platform/form.h"

#include <stdexcept>
#include <utility>

namespace platform {

namespace {

std::unique_ptr<Control> makeControl(Form& form, const ControlSpec& design) {
    switch (design.kind) {
    case ControlKind::TextBox:
        return std::make_unique<TextBox>(form, design);
    case ControlKind::OptionButton:
        return std::make_unique<OptionButton>(form, design);
    case ControlKind::CommandButton:
        return std::make_unique<CommandButton>(form, design);
    case ControlKind::CheckList:
        return std::make_unique<CheckList>(form, design);
    case ControlKind::Frame:
    case ControlKind::Label:
    case ControlKind::PictureBox:
    case ControlKind::Line:
        break;
    }
    return std::make_unique<StaticControl>(form, design);
}

std::string narrow(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

} // namespace

Form::Form(FormSpec design) : design_(std::move(design)) {
    for (const auto& controlSpec : design_.controls) {
        controls_.push_back(makeControl(*this, controlSpec));
    }
}

Form::~Form() {
    if (peer_) {
        detachControls();
        peer_->destroy();
    }
}

Control& Form::control(std::wstring_view name) const {
    for (const auto& control : controls_) {
        if (control->name() == name) {
            return *control;
        }
    }
    throw std::logic_error("no control named " + narrow(name) + " on " + narrow(design_.name));
}

template <class T> T& Form::typed(std::wstring_view name) const {
    if (auto* control = dynamic_cast<T*>(&this->control(name))) {
        return *control;
    }
    throw std::logic_error("control " + narrow(name) + " is of another kind");
}

TextBox& Form::textBox(std::wstring_view name) const {
    return typed<TextBox>(name);
}
OptionButton& Form::optionButton(std::wstring_view name) const {
    return typed<OptionButton>(name);
}
CommandButton& Form::commandButton(std::wstring_view name) const {
    return typed<CommandButton>(name);
}
CheckList& Form::checkList(std::wstring_view name) const {
    return typed<CheckList>(name);
}

void Form::load() {
    if (peer_) {
        return;
    }
    for (auto& control : controls_) {
        control->reset();
    }
    peer_ = createWindowPeer(*this);
    windowAlive_ = true;
    if (onLoad) {
        onLoad();
    }
}

void Form::show() {
    load();
    peer_->show();
}

void Form::showModal() {
    load();
    inModal_ = true;
    peer_->runModal();
    inModal_ = false;
    // The window is gone by now; so is every control's peer.
    windowAlive_ = false;
    peer_.reset();
}

void Form::unload() {
    if (!windowAlive_) {
        return;
    }
    detachControls();
    windowAlive_ = false;
    peer_->destroy();
    if (!inModal_) {
        peer_.reset();
    }
}

void Form::userClosed() {
    unload();
}

void Form::detachControls() {
    for (auto& control : controls_) {
        control->attach(nullptr);
    }
}

int Form::width() const {
    return peer_ ? peer_->outerBounds().width : 0;
}
int Form::height() const {
    return peer_ ? peer_->outerBounds().height : 0;
}
int Form::left() const {
    return peer_ ? peer_->outerBounds().left : 0;
}
int Form::top() const {
    return peer_ ? peer_->outerBounds().top : 0;
}

void Form::move(int leftTwips, int topTwips) {
    if (peer_) {
        peer_->moveTo(leftTwips, topTwips);
    }
}

} // namespace platform
