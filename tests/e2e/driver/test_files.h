// Files as the test sees them: whole contents, folder listings, attributes.
#pragma once

#include <optional>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// The file's bytes; nothing when it cannot be read (missing, a folder ...).
std::optional<std::string> readFileBytes(const std::wstring& path);

// Writes the bytes as the whole file, or fails the case.
void writeFileBytes(const std::wstring& path, std::string_view bytes);

// Names of every entry of the folder, hidden ones and subfolders included, sorted.
std::vector<std::wstring> folderEntries(const std::wstring& folder);

bool fileExists(const std::wstring& path);

// Checks that the folder holds exactly these entries, in any order.
bool checkEntries(const std::wstring& folder, std::vector<std::wstring> expected,
                  std::source_location where = std::source_location::current());
// Checks that the file exists and holds exactly these bytes.
bool checkFile(const std::wstring& path, std::string_view expected,
               std::source_location where = std::source_location::current());

// Sets the file's attributes (FILE_ATTRIBUTE_READONLY, _HIDDEN ...), or fails the case.
void setAttributes(const std::wstring& path, unsigned long attributes);

// The system's text for an error code, as FormatMessage gives it, trailing blanks
// and line breaks removed.
std::wstring systemErrorText(unsigned long error);

} // namespace e2e
