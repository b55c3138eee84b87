// The designed table of snipforge's main window.
#pragma once

#include "platform/form_spec.h"

namespace snipforge {

platform::FormSpec mainWindowLayout();

} // namespace snipforge
