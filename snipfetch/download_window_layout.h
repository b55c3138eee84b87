// The designed table of snipfetch's download window.
#pragma once

#include "platform/form_spec.h"

namespace snipfetch {

platform::FormSpec downloadWindowLayout();

} // namespace snipfetch
