#include "platform/controls.h"

#include "platform/form.h"
#include "platform/utf8.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
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

void CheckList::itemInto(std::size_t row, std::wstring& text) const {
    const Piece piece = pieces_.at(row);
    text.clear();
    appendUtf8(std::string_view(utf8_).substr(piece.offset, piece.length), &text);
}

std::wstring CheckList::item(std::size_t row) const {
    std::wstring text;
    itemInto(row, text);
    return text;
}

void CheckList::setChecked(std::size_t row, bool checked) {
    checks_.at(row) = checked ? 1 : 0;
    if (peer_ && row < firstUnshownRow_) {
        peer_->showChecked(row, checked);
    }
}

void CheckList::clear() {
    setItems({}, {});
}

void CheckList::addItem(std::wstring_view text) {
    const auto bytes = encodeUtf8(text);
    if (utf8_.size() + bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("check list texts too long");
    }
    firstUnshownRow_ = std::min(firstUnshownRow_, count());
    pieces_.push_back(
        Piece{static_cast<std::uint32_t>(utf8_.size()), static_cast<std::uint32_t>(bytes.size())});
    utf8_.append(bytes);
    checks_.push_back(0);
    showPending();
}

void CheckList::setItems(std::string utf8, std::vector<Piece> pieces) {
    // Shown in one batch. The memory of the rows before goes too: the next
    // list may be much shorter.
    beginUpdate();
    utf8_ = std::move(utf8);
    pieces_ = std::move(pieces);
    std::vector<std::uint8_t>(pieces_.size(), 0).swap(checks_);
    firstUnshownRow_ = 0;
    endUpdate();
    if (onRowsReplaced) {
        onRowsReplaced();
    }
}

void CheckList::tipChanged(std::size_t row) {
    if (peer_) {
        peer_->refreshTip(row);
    }
}

void CheckList::hideTip() {
    if (peer_) {
        peer_->hideTip();
    }
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
    std::string().swap(utf8_);
    std::vector<Piece>().swap(pieces_);
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
