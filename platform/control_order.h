// The order of a form's controls as windows: which comes before which on the
// window (z-order), and the keyboard's tab stops.
#pragma once

#include "platform/form_spec.h"

#include <cstddef>
#include <vector>

namespace platform {

struct ControlOrder {
    // Indices into the table, lines left out. Tab order, except that a label
    // comes just before the control it names (labelFor): screen readers name a
    // box after the label that precedes it among its siblings.
    std::vector<std::size_t> zOrder;
    // The tab stops in tab order; the option buttons of one group share a stop.
    std::vector<std::vector<std::size_t>> tabStops;
    // By index: the control starts a new group for the arrow keys. An option
    // button that follows one of the same container in z-order does not.
    std::vector<bool> startsGroup;
};

// Table indices sorted by tab index; those without one (-1) last, in table order.
std::vector<std::size_t> tabOrder(const FormSpec& design);

// Whether the keyboard can bring the focus to the control.
bool takesFocus(const ControlSpec& control);

ControlOrder controlOrder(const FormSpec& design);

} // namespace platform
