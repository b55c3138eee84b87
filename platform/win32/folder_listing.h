// The entries of a folder that match a pattern, as FindFirstFileEx lists them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::win32 {

struct FolderEntry {
    std::wstring name;
    DWORD attributes = 0;
    bool isFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

// Every entry matching `pattern` ("folder\*", "folder\~*"), hidden ones too,
// "." and ".." left out; empty when the folder is missing.
std::vector<FolderEntry> listFolder(const std::wstring& pattern);
// The same entries handed over one at a time as they are listed.
void forEachFolderEntry(const std::wstring& pattern,
                        const std::function<void(std::wstring_view name, DWORD attributes)>& take);

} // namespace platform::win32
