#include "platform/file_name_case.h"

#include <cwctype>

namespace platform {

std::wstring fileNameCaseKey(std::wstring_view name) {
    std::wstring key(name);
    for (auto& c : key) {
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    }
    return key;
}

} // namespace platform
