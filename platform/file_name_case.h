// Letter case in file names as Windows file systems see it.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The name with its letters in upper case, one UTF-16 unit at a time, locale
// independent: two names in one folder clash exactly when their keys are equal.
std::wstring fileNameCaseKey(std::wstring_view name);
// The same key written into `key`, whose storage is reused: no allocation per
// name in a loop over many.
void fileNameCaseKey(std::wstring_view name, std::wstring& key);

} // namespace platform
