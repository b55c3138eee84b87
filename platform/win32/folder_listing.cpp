#include "platform/win32/folder_listing.h"

#include "platform/win32/handles.h"

namespace platform::win32 {

void forEachFolderEntry(const std::wstring& pattern,
                        const std::function<void(std::wstring_view name, DWORD attributes)>& take) {
    WIN32_FIND_DATAW found{};
    // Large fetches: one call brings many names, which counts in a folder of thousands.
    const FindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        return;
    }
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") {
            take(name, found.dwFileAttributes);
        }
    } while (FindNextFileW(search.get(), &found));
}

std::vector<FolderEntry> listFolder(const std::wstring& pattern) {
    std::vector<FolderEntry> entries;
    forEachFolderEntry(pattern, [&](std::wstring_view name, DWORD attributes) {
        entries.push_back({std::wstring(name), attributes});
    });
    return entries;
}

} // namespace platform::win32
