#include "platform/files.h"

#include "platform/decimal_text.h"
#include "platform/file_name_case.h"
#include "platform/win32/folder_listing.h"
#include "platform/win32/handles.h"
#include "platform/win32/module_path.h"
#include "platform/win32/write_all.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

namespace platform {

namespace win32 {
namespace {

constexpr DWORD notOrdinary =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::wstring withoutTrailingBackslashes(std::wstring path) {
    // "C:\" keeps its backslash: without it, it names the current directory of C:.
    while (path.size() > 1 && path.back() == L'\\' && !(path.size() == 3 && path[1] == L':')) {
        path.pop_back();
    }
    return path;
}

std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return L".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::wstring hex(unsigned long long value) {
    static constexpr wchar_t digits[] = L"0123456789abcdef";
    std::wstring text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return text;
}

// A short name that no other writer in this or another process picks: short, so
// that a target name near the length limit still leaves room for it.
std::wstring temporaryNameIn(const std::wstring& folder) {
    static std::atomic<unsigned> counter{0};
    return folder + L"\\~rf" + hex(GetCurrentProcessId()) + L"-" + hex(++counter) + L".tmp";
}

// Creates a new temporary file beside the target and writes the bytes to disk.
// On success `temporary` names it; on failure nothing is left behind.
DWORD writeTemporary(const std::wstring& folder, std::string_view bytes, std::wstring& temporary) {
    FileHandle file;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temporary = temporaryNameIn(folder);
        file.reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS) {
            return GetLastError();
        }
    }
    if (!file) {
        return ERROR_FILE_EXISTS;
    }
    DWORD error = writeAll(file.get(), bytes);
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) {
        error = GetLastError();
    }
    const HANDLE raw = file.release();
    if (!CloseHandle(raw) && error == ERROR_SUCCESS) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
    }
    return error;
}

} // namespace
} // namespace win32

std::wstring errorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const win32::LocalMemory owner(buffer);
    std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\r' || text.back() == L'\n' ||
                             text.back() == L'\t')) {
        text.pop_back();
    }
    if (text.empty()) {
        return L"Error " + decimalText(error);
    }
    return text;
}

std::wstring applicationFolder() {
    const std::wstring path = win32::modulePath();
    if (path.empty()) {
        return path;
    }
    auto folder = win32::folderOf(path);
    if (folder.size() == 2 && folder[1] == L':') {
        folder += L'\\'; // the root, not the current directory of that drive
    }
    return folder;
}

bool entryExists(const std::wstring& path) {
    return GetFileAttributesW(win32::withoutTrailingBackslashes(path).c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}

bool folderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(win32::withoutTrailingBackslashes(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// "folder\*": every entry of the folder.
std::wstring everythingIn(const std::wstring& folder) {
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/' &&
        pattern.back() != L':') {
        pattern += L'\\';
    }
    pattern += L'*';
    return pattern;
}

} // namespace

std::vector<std::wstring> ordinaryFileNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    // A missing folder has no files.
    win32::forEachFolderEntry(everythingIn(folder), [&](std::wstring_view name, DWORD attributes) {
        if (!(attributes & win32::notOrdinary)) {
            names.emplace_back(name);
        }
    });
    return names;
}

FileNameSet ordinaryFileNameSet(const std::wstring& folder) {
    FileNameSet names;
    std::wstring key;
    std::string asciiKey;
    win32::forEachFolderEntry(everythingIn(folder), [&](std::wstring_view name, DWORD attributes) {
        if (attributes & win32::notOrdinary) {
            return;
        }
        if (asciiCaseKey(name, asciiKey)) {
            names.addUtf8Key(asciiKey);
        } else {
            fileNameCaseKey(name, key);
            names.addKey(key);
        }
    });
    return names;
}

Status createFolder(const std::wstring& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr)) {
        return Status{GetLastError()};
    }
    return Status{};
}

namespace {

// A hidden or system target stays hidden or system: the new contents take over
// the old file's hidden, system and archive attributes, as when a file is
// rewritten in place. `added` joins them.
Status replaceKeepingAttributes(const std::wstring& path, std::string_view bytes, DWORD added) {
    const DWORD existing = GetFileAttributesW(path.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return Status{ERROR_ACCESS_DENIED};
    }

    std::wstring temporary;
    if (const DWORD error = win32::writeTemporary(win32::folderOf(path), bytes, temporary)) {
        return Status{error};
    }
    constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    const DWORD attributes = (existing != INVALID_FILE_ATTRIBUTES ? existing & kept : 0) | added;
    if (attributes && !SetFileAttributesW(temporary.c_str(), attributes)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return Status{error};
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return Status{error};
    }
    return Status{};
}

} // namespace

Status replaceFile(const std::wstring& path, std::string_view bytes) {
    return replaceKeepingAttributes(path, bytes, 0);
}

Status replaceHiddenFile(const std::wstring& path, std::string_view bytes) {
    return replaceKeepingAttributes(path, bytes, FILE_ATTRIBUTE_HIDDEN);
}

std::optional<std::string> readSmallFile(const std::wstring& path, std::size_t limit) {
    const win32::FileHandle file(CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > limit) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        DWORD read = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, 1u << 20));
        if (!ReadFile(file.get(), bytes.data() + got, wanted, &read, nullptr) || read == 0) {
            return std::nullopt;
        }
        got += read;
    }
    return bytes;
}

} // namespace platform
