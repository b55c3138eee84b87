#include "platform/controls.h"

#include "platform/form.h"

#include <algorithm>
#include <utility>

namespace platform {

Control::Control(Form& form, ControlSpec design) : form_(form), design_(std::move(design)) {}

void Control::attach(ControlPeer* peer) {
    peer_ = peer;
    if (peer_) {
        pushToPeer();
    }
}

// ---- TextBox

TextBox::TextBox(Form& form, ControlSpec design)
    : Control(form, std::move(design)), text_(design_.text) {}

void TextBox::setText(const std::wstring& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    if (peer_) {
        peer_->showText(text_);
    }
    if (onChange) {
        onChange();
    }
}

void TextBox::userEdited(const std::wstring& text) {
    text_ = text;
    if (onChange) {
        onChange();
    }
}

void TextBox::reset() {
    text_ = design_.text;
}

void TextBox::pushToPeer() {
    peer_->showText(text_);
}

// ---- OptionButton

OptionButton::OptionButton(Form& form, ControlSpec design)
    : Control(form, std::move(design)), value_(design_.selected) {}

void OptionButton::setValue(bool value) {
    if (value) {
        userClicked(); // selecting from code raises Click as a click does
        return;
    }
    value_ = false;
    if (peer_) {
        peer_->showValue(false);
    }
}

void OptionButton::userClicked() {
    // Selected within its group before its Click runs, even when it already was.
    deselectSiblings();
    value_ = true;
    if (peer_) {
        peer_->showValue(true);
    }
    if (onClick) {
        onClick();
    }
}

void OptionButton::deselectSiblings() {
    for (const auto& control : form_.controls()) {
        auto* other = dynamic_cast<OptionButton*>(control.get());
        if (other && other != this && other->design().container == design_.container &&
            other->value_) {
            other->value_ = false;
            if (other->peer_) {
                other->peer_->showValue(false);
            }
        }
    }
}

void OptionButton::reset() {
    value_ = design_.selected;
}

void OptionButton::pushToPeer() {
    peer_->showText(design_.text);
    peer_->showValue(value_);
}

// ---- CommandButton

CommandButton::CommandButton(Form& form, ControlSpec design) : Control(form, std::move(design)) {}

void CommandButton::userClicked() {
    if (onClick) {
        onClick();
    }
}

void StaticControl::pushToPeer() {
    peer_->showText(design_.text);
}

// ---- CheckList

CheckList::CheckList(Form& form, ControlSpec design) : Control(form, std::move(design)) {}

std::wstring_view CheckList::item(std::size_t row) const {
    const std::size_t end = ends_.at(row);
    const std::size_t begin = row == 0 ? 0 : ends_[row - 1];
    return std::wstring_view(texts_).substr(begin, end - begin);
}

void CheckList::setChecked(std::size_t row, bool checked) {
    checks_.at(row) = checked ? 1 : 0;
    if (peer_ && row < firstUnshownRow_) {
        peer_->showChecked(row, checked);
    }
}

void CheckList::clear() {
    // The memory goes too: the next list may be much shorter.
    std::wstring().swap(texts_);
    std::vector<std::size_t>().swap(ends_);
    std::vector<std::uint8_t>().swap(checks_);
    firstUnshownRow_ = 0;
    showPending();
}

void CheckList::addItem(std::wstring_view text) {
    firstUnshownRow_ = std::min(firstUnshownRow_, count());
    texts_.append(text);
    ends_.push_back(texts_.size());
    checks_.push_back(0);
    showPending();
}

void CheckList::reserve(std::size_t characters) {
    texts_.reserve(texts_.size() + characters);
}

void CheckList::beginUpdate() {
    if (updateDepth_++ == 0 && peer_) {
        peer_->setRedraw(false);
    }
}

void CheckList::endUpdate() {
    if (updateDepth_ == 0) {
        return;
    }
    if (--updateDepth_ == 0) {
        showPending();
        if (peer_) {
            peer_->setRedraw(true);
        }
    }
}

void CheckList::userToggled(std::size_t row, bool checked) {
    if (row < count()) {
        checks_[row] = checked ? 1 : 0;
    }
}

std::vector<std::size_t> CheckList::userPressedSpace(std::size_t focused,
                                                     const std::vector<std::size_t>& selected) {
    std::vector<std::size_t> changed;
    if (focused >= count()) {
        return changed;
    }
    const std::uint8_t check = checks_[focused] == 0 ? 1 : 0;
    const bool focusedSelected =
        std::find(selected.begin(), selected.end(), focused) != selected.end();
    if (selected.size() < 2 || !focusedSelected) {
        checks_[focused] = check;
        changed.push_back(focused);
        return changed;
    }
    for (const std::size_t row : selected) {
        if (row < count() && checks_[row] != check) {
            checks_[row] = check;
            changed.push_back(row);
        }
    }
    return changed;
}

void CheckList::reset() {
    std::wstring().swap(texts_);
    std::vector<std::size_t>().swap(ends_);
    std::vector<std::uint8_t>().swap(checks_);
    firstUnshownRow_ = 0;
}

void CheckList::showPending() {
    if (peer_ && updateDepth_ == 0 && firstUnshownRow_ != allShown) {
        peer_->showRowsFrom(firstUnshownRow_);
        firstUnshownRow_ = allShown;
    }
}

void CheckList::pushToPeer() {
    firstUnshownRow_ = 0;
    showPending();
}

} // namespace platform
