#include "platform/leftovers.h"

#include "platform/win32/folder_listing.h"
#include "platform/win32/handles.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

// When in doubt (a process we may not open) the answer is yes: its files stay.
bool processRuns(unsigned long id) {
    const win32::KernelHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) {
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

bool removeFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) != FALSE;
}

} // namespace

void removeLeftovers(const std::wstring& folderPath) {
    std::wstring folder = folderPath;
    while (folder.size() > 1 && folder.back() == L'\\') {
        folder.pop_back();
    }
    const DWORD self = GetCurrentProcessId();
    // One listing of the names that start like ours: no scan per name.
    for (const auto& entry : win32::listFolder(folder + L"\\~*")) {
        // Staging folders are folders and temporary files are files; anything
        // else that happens to be named so is not ours.
        const bool staging = entry.name.starts_with(L"~staging-");
        const auto owner = leftoverOwner(entry.name);
        if (!owner || staging != entry.isFolder() || (*owner != self && processRuns(*owner))) {
            continue;
        }
        const std::wstring path = folder + L"\\" + entry.name;
        if (!entry.isFolder()) {
            removeFile(path);
            continue;
        }
        // A staging folder holds nothing but the temporary files of its process.
        for (const auto& inside : win32::listFolder(path + L"\\*")) {
            if (!inside.isFolder()) {
                removeFile(path + L"\\" + inside.name);
            }
        }
        RemoveDirectoryW(path.c_str());
    }
}

} // namespace platform
