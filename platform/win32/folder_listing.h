// The entries of a folder that match a pattern, as FindFirstFileEx lists them.
#pragma once

#include <windows.h>

#include <string>
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

} // namespace platform::win32
