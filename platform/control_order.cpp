#include "platform/control_order.h"

#include <algorithm>
#include <climits>
#include <numeric>

namespace platform {

namespace {

bool continuesOptionGroup(const ControlSpec* previous, const ControlSpec& control) {
    return previous && control.kind == ControlKind::OptionButton &&
           previous->kind == ControlKind::OptionButton && previous->container == control.container;
}

} // namespace

std::vector<std::size_t> tabOrder(const FormSpec& design) {
    std::vector<std::size_t> order(design.controls.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int left = design.controls[a].tabIndex;
        const int right = design.controls[b].tabIndex;
        return (left < 0 ? INT_MAX : left) < (right < 0 ? INT_MAX : right);
    });
    return order;
}

bool takesFocus(const ControlSpec& control) {
    switch (control.kind) {
    case ControlKind::TextBox:
    case ControlKind::OptionButton:
    case ControlKind::CommandButton:
    case ControlKind::CheckList:
        return control.tabStop && control.tabIndex >= 0;
    default:
        return false;
    }
}

ControlOrder controlOrder(const FormSpec& design) {
    const auto& controls = design.controls;
    const auto named = [&](std::size_t label) {
        return controls[label].kind == ControlKind::Label && !controls[label].labelFor.empty();
    };
    ControlOrder order;
    order.startsGroup.assign(controls.size(), true);

    const ControlSpec* previousInTabOrder = nullptr;
    for (const std::size_t index : tabOrder(design)) {
        const ControlSpec& control = controls[index];
        if (control.kind == ControlKind::Line) {
            continue;
        }
        if (takesFocus(control)) {
            if (continuesOptionGroup(previousInTabOrder, control) && !order.tabStops.empty()) {
                order.tabStops.back().push_back(index);
            } else {
                order.tabStops.push_back({index});
            }
        }
        previousInTabOrder = &control;

        if (named(index)) {
            continue; // placed with the control it names
        }
        for (std::size_t label = 0; label < controls.size(); ++label) {
            if (named(label) && controls[label].labelFor == control.name) {
                order.zOrder.push_back(label);
            }
        }
        order.zOrder.push_back(index);
    }
    // A label whose control is missing keeps its own place at the end.
    for (const std::size_t index : tabOrder(design)) {
        if (named(index) &&
            std::find(order.zOrder.begin(), order.zOrder.end(), index) == order.zOrder.end()) {
            order.zOrder.push_back(index);
        }
    }

    const ControlSpec* previousInZOrder = nullptr;
    for (const std::size_t index : order.zOrder) {
        order.startsGroup[index] = !continuesOptionGroup(previousInZOrder, controls[index]);
        previousInZOrder = &controls[index];
    }
    return order;
}

} // namespace platform
