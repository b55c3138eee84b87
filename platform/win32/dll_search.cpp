#include "platform/dll_search.h"

#include "platform/win32/system_library.h"

#include <windows.h>

#include <delayimp.h>

#include <string>

namespace platform {

namespace win32 {

HMODULE loadSystemLibrary(const wchar_t* fileName) {
    if (HMODULE library = LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return library;
    }
    if (GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    // Windows 7 without update KB2533623 knows no search flags: the full path.
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    path.resize(length);
    path += L"\\";
    path += fileName;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace win32

void searchDllsInSystemFolderOnly() {
    // Bound by name: without KB2533623 Windows 7 lacks it, and the program must
    // still start there.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = win32::functionOf<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return;
    }
    // At least not the current directory; the program's own loads name the
    // system folder themselves (win32::loadSystemLibrary).
    SetDllDirectoryW(L"");
}

} // namespace platform

namespace {

// The delay-load helper asks before it loads a DLL: hand it the system's copy,
// even where the default directories could not be set.
FARPROC WINAPI loadDelayedFromSystemFolder(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary) {
        return nullptr;
    }
    std::wstring name;
    for (const char* c = info->szDll; *c; ++c) {
        name.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    }
    return reinterpret_cast<FARPROC>(platform::win32::loadSystemLibrary(name.c_str()));
}

} // namespace

// Defined here, in a file that every program links (its main calls
// searchDllsInSystemFolderOnly), so the linker takes it before the default in
// libmingwex. C linkage comes from its declaration in <delayimp.h>.
PfnDliHook __pfnDliNotifyHook2 = loadDelayedFromSystemFolder;
