// The full path of the running program's file.
#pragma once

#include <string>

namespace platform::win32 {

// Empty when the system cannot tell.
std::wstring modulePath();

} // namespace platform::win32
