// The arguments the program was started with.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Without the program's own name; quotes and backslashes taken as Windows takes them.
std::vector<std::wstring> programArguments();

} // namespace platform
