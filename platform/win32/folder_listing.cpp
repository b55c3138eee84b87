#include "platform/win32/folder_listing.h"

#include "platform/win32/handles.h"

namespace platform::win32 {

std::vector<FolderEntry> listFolder(const std::wstring& pattern) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found{};
    // Large fetches: one call brings many names, which counts in a folder of thousands.
    const FindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        return entries;
    }
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") {
            entries.push_back({std::wstring(name), found.dwFileAttributes});
        }
    } while (FindNextFileW(search.get(), &found));
    return entries;
}

} // namespace platform::win32
