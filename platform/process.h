// Starting another program.
#pragma once

#include "platform/files.h"

#include <string>

namespace platform {

// Starts the program file at `path` (blanks allowed) with a normal window that
// gets the focus, and returns without waiting for it. The path alone names the
// program: it is never searched for or split at a blank.
Status startProgram(const std::wstring& path);

} // namespace platform
