#include "platform/store_file.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <type_traits>

namespace platform {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

FileHandle openNew(const std::wstring& path) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

DWORD writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            return GetLastError();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        bytes.remove_prefix(written);
    }
    return ERROR_SUCCESS;
}

// Moves the finished temporary file to the target; no write-through, so the
// rename does not wait for the disk either. A target that exists is looked at
// only then: a lookup of a missing name costs Wine a scan of the folder.
DWORD moveOver(const std::wstring& temporary, const std::wstring& target) {
    if (MoveFileExW(temporary.c_str(), target.c_str(), 0)) {
        return ERROR_SUCCESS;
    }
    if (const DWORD error = GetLastError();
        error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) {
        return error;
    }
    // Windows refuses to move over a read-only file, Wine does not: refuse here.
    const DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return ERROR_ACCESS_DENIED;
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

} // namespace

Status storeFile(const std::wstring& path, std::string_view bytes) {
    const auto slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash);
    const std::wstring leaf = slash == std::wstring::npos ? path : path.substr(slash + 1);
    if (leaf.empty()) {
        return Status{ERROR_INVALID_NAME};
    }
    // A short name of this process's own, so a target name near the length
    // limit still leaves room for it.
    static std::atomic<unsigned> counter{0};
    std::wstring temporary;
    FileHandle file;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temporary = folder + L"\\~sf" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(++counter) + L".tmp";
        file = openNew(temporary);
        if (!file && GetLastError() != ERROR_FILE_EXISTS) {
            return Status{GetLastError()};
        }
    }
    if (!file) {
        return Status{ERROR_FILE_EXISTS};
    }
    DWORD error = writeAll(file.get(), bytes);
    if (!CloseHandle(file.release()) && error == ERROR_SUCCESS) {
        error = GetLastError();
    }
    if (error == ERROR_SUCCESS) {
        error = moveOver(temporary, path);
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
    }
    return Status{error};
}

} // namespace platform
