// Letter case in file names as Windows file systems see it.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The name with its letters in upper case, one UTF-16 unit at a time, locale
// independent: two names in one folder clash exactly when their keys are equal.
std::wstring fileNameCaseKey(std::wstring_view name);

} // namespace platform
