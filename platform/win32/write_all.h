// Writing a whole buffer to an open file.
#pragma once

#include <windows.h>

#include <string_view>

namespace platform::win32 {

// Writes every byte, in chunks WriteFile takes; the OS error, or ERROR_SUCCESS.
DWORD writeAll(HANDLE file, std::string_view bytes);

} // namespace platform::win32
