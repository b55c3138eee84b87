#include "tests/e2e/driver/test_files.h"

#include "tests/e2e/driver/check.h"

#include <windows.h>

#include <algorithm>

namespace e2e {

namespace {

struct FileHandle {
    HANDLE handle;
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};

} // namespace

std::optional<std::string> readFileBytes(const std::wstring& path) {
    FileHandle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.handle, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    return bytes;
}

void writeFileBytes(const std::wstring& path, std::string_view bytes) {
    FileHandle file{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        fail("could not create " + describe(path) + " (error " + std::to_string(error) + ")");
    }
    DWORD written = 0;
    require(WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                      nullptr) != 0 &&
                written == bytes.size(),
            "could not write " + describe(path));
}

std::vector<std::wstring> folderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool fileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool checkEntries(const std::wstring& folder, std::vector<std::wstring> expected,
                  std::source_location where) {
    std::sort(expected.begin(), expected.end());
    return checkEqual(folderEntries(folder), expected, "the entries of " + describe(folder), where);
}

bool checkFile(const std::wstring& path, std::string_view expected, std::source_location where) {
    const auto bytes = readFileBytes(path);
    return check(bytes.has_value(), describe(path) + " exists", where) &&
           checkEqualBytes(*bytes, expected, "the bytes of " + describe(path), where);
}

void setAttributes(const std::wstring& path, unsigned long attributes) {
    require(SetFileAttributesW(path.c_str(), attributes) != 0,
            "could not change the attributes of " + describe(path));
}

std::wstring systemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer == nullptr ? L"" : buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\r' || text.back() == L'\n' ||
                             text.back() == L'\t')) {
        text.pop_back();
    }
    return text;
}

} // namespace e2e
