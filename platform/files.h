// File services at the level the windows need. Paths are wide strings; a relative
// path resolves against the process's current directory.
#pragma once

#include "platform/file_name_set.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Result of a service that can fail: the OS error code, 0 on success.
struct Status {
    unsigned long error = 0;
    bool ok() const { return error == 0; }
};

// The operating system's own text for an error, trailing blanks and line breaks removed.
std::wstring errorText(unsigned long error);

// Absolute path of the folder that holds the running program, with or without a
// final backslash.
std::wstring applicationFolder();

// Anything at all of that name: file or folder, hidden, system and read-only included.
bool entryExists(const std::wstring& path);
bool folderExists(const std::wstring& path);

// Names of the ordinary files in a folder (not hidden, not system, not folders);
// empty when the folder is missing.
std::vector<std::wstring> ordinaryFileNames(const std::wstring& folder);
// The same names as a set, made while the folder is listed: for a folder of
// many files, with no string per name.
FileNameSet ordinaryFileNameSet(const std::wstring& folder);

// Makes one folder.
Status createFolder(const std::wstring& path);

// The whole file; nothing when it is missing, cannot be read or holds more
// than `limit` bytes.
std::optional<std::string> readSmallFile(const std::wstring& path, std::size_t limit);

// Writes the bytes to a temporary file beside the target and moves it over the
// target in one step: on failure the earlier file is whole and no temporary file
// remains. A read-only target is not replaced (ERROR_ACCESS_DENIED).
Status replaceFile(const std::wstring& path, std::string_view bytes);
// The same, and the file is hidden afterwards, whatever it was before.
Status replaceHiddenFile(const std::wstring& path, std::string_view bytes);

// A whole file read into memory, when it is no larger than the limit.
struct FileBytes {
    Status status;         // the OS error of opening or reading
    bool tooLarge = false; // over the limit: nothing read
    std::string bytes;
};
FileBytes readFile(const std::wstring& path, std::size_t limit);

} // namespace platform
