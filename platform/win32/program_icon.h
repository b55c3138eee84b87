// The program's icon: icon resource 1 of the running .exe.
#pragma once

#include "platform/win32/handles.h"

namespace platform::win32 {

// The icon at this size in pixels; empty when the program has none.
IconHandle loadProgramIcon(int size);

} // namespace platform::win32
