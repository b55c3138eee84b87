// The designed table of snipforge's About window.
#pragma once

#include "platform/form_spec.h"

namespace snipforge {

platform::FormSpec aboutWindowLayout();

} // namespace snipforge
