// An in-memory drive with the Windows semantics the windows rely on.
#include "platform/files.h"
#include "platform/file_name_case.h"
#include "platform/headless/headless.h"
#include "platform/leftovers.h"

#include <algorithm>
#include <cwctype>
#include <set>
#include <stdexcept>
#include <utility>

namespace platform::headless {

namespace {

constexpr unsigned long errorPathNotFound = 3;
constexpr unsigned long errorAccessDenied = 5;
constexpr unsigned long errorAlreadyExists = 183;
constexpr unsigned long errorInvalidName = 123;

struct Entry {
    std::wstring path; // as first written
    bool folder = false;
    std::uint32_t attributes = 0;
    std::string bytes;
};

struct Drive {
    std::wstring applicationFolder = L"C:\\Program Files\\snipforge";
    std::wstring currentDirectory = L"C:\\Work";
    std::map<std::wstring, Entry> entries; // key: folded absolute path
    unsigned long nextCreateFolderError = 0;
    unsigned long nextReplaceError = 0;
    std::set<unsigned long> runningProcesses;
};

Drive& drive() {
    static Drive d;
    return d;
}

std::wstring fold(std::wstring path) {
    for (auto& c : path) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return path;
}

std::wstring absolute(const std::wstring& path) {
    std::wstring full = path;
    if (!(path.size() >= 2 && path[1] == L':')) {
        full = drive().currentDirectory + L"\\" + path;
    }
    while (full.size() > 3 && full.back() == L'\\') {
        full.pop_back();
    }
    return full;
}

std::wstring parentOf(const std::wstring& absolutePath) {
    const auto slash = absolutePath.find_last_of(L'\\');
    if (slash == std::wstring::npos) {
        return {};
    }
    return absolutePath.substr(0, slash == 2 ? 3 : slash);
}

std::wstring leafOf(const std::wstring& absolutePath) {
    const auto slash = absolutePath.find_last_of(L'\\');
    return slash == std::wstring::npos ? absolutePath : absolutePath.substr(slash + 1);
}

bool isRoot(const std::wstring& absolutePath) {
    return absolutePath.size() <= 3 && absolutePath.size() >= 2 && absolutePath[1] == L':';
}

Entry* find(const std::wstring& path) {
    const auto full = absolute(path);
    auto it = drive().entries.find(fold(full));
    return it == drive().entries.end() ? nullptr : &it->second;
}

bool folderAt(const std::wstring& absolutePath) {
    if (isRoot(absolutePath)) {
        return true;
    }
    auto it = drive().entries.find(fold(absolutePath));
    return it != drive().entries.end() && it->second.folder;
}

bool validLeaf(const std::wstring& leaf) {
    if (leaf.empty()) {
        return false;
    }
    return std::none_of(leaf.begin(), leaf.end(), [](wchar_t c) {
        return c < 0x20 || std::wstring_view(L"<>:\"/|?*").find(c) != std::wstring_view::npos;
    });
}

} // namespace

void resetFiles() {
    drive() = Drive{};
}

void setApplicationFolder(const std::wstring& folder) {
    drive().applicationFolder = folder;
}
void setCurrentDirectory(const std::wstring& folder) {
    drive().currentDirectory = folder;
}

void addFolder(const std::wstring& path) {
    const auto full = absolute(path);
    drive().entries[fold(full)] = Entry{full, true, 0, {}};
}

void addFile(const std::wstring& path, const std::string& bytes, std::uint32_t attributes) {
    const auto full = absolute(path);
    drive().entries[fold(full)] = Entry{full, false, attributes, bytes};
}

bool fileExists(const std::wstring& path) {
    const auto* entry = find(path);
    return entry && !entry->folder;
}

std::uint32_t fileAttributes(const std::wstring& path) {
    const auto* entry = find(path);
    if (!entry || entry->folder) {
        throw std::runtime_error("no such file in the headless drive");
    }
    return entry->attributes;
}

std::string fileBytes(const std::wstring& path) {
    const auto* entry = find(path);
    if (!entry || entry->folder) {
        throw std::runtime_error("no such file in the headless drive");
    }
    return entry->bytes;
}

std::vector<std::wstring> allPaths() {
    std::vector<std::wstring> paths;
    for (const auto& [key, entry] : drive().entries) {
        paths.push_back(entry.path);
    }
    return paths;
}

void markProcessRunning(unsigned long id) {
    drive().runningProcesses.insert(id);
}

void failNextCreateFolder(unsigned long error) {
    drive().nextCreateFolderError = error;
}
void failNextReplace(unsigned long error) {
    drive().nextReplaceError = error;
}

} // namespace platform::headless

namespace platform {

using namespace headless;

std::wstring errorText(unsigned long error) {
    switch (error) {
    case 2:
        return L"File not found.";
    case 3:
        return L"Path not found.";
    case 5:
        return L"Access denied.";
    case 123:
        return L"Invalid name.";
    case 183:
        return L"File already exists.";
    default:
        return L"Error " + std::to_wstring(error) + L".";
    }
}

std::wstring applicationFolder() {
    return drive().applicationFolder;
}

bool entryExists(const std::wstring& path) {
    return find(path) != nullptr;
}

bool folderExists(const std::wstring& path) {
    return folderAt(absolute(path));
}

std::vector<std::wstring> ordinaryFileNames(const std::wstring& folder) {
    const auto parent = fold(absolute(folder));
    std::vector<std::wstring> names;
    for (const auto& [key, entry] : drive().entries) {
        if (!entry.folder && !(entry.attributes & (attr::hidden | attr::system)) &&
            fold(parentOf(entry.path)) == parent) {
            names.push_back(leafOf(entry.path));
        }
    }
    return names;
}

FileNameSet ordinaryFileNameSet(const std::wstring& folder) {
    FileNameSet names;
    for (const auto& name : ordinaryFileNames(folder)) {
        names.addKey(fileNameCaseKey(name));
    }
    return names;
}

Status createFolder(const std::wstring& path) {
    if (auto error = std::exchange(drive().nextCreateFolderError, 0UL)) {
        return {error};
    }
    const auto full = absolute(path);
    if (find(full)) {
        return {errorAlreadyExists};
    }
    if (!validLeaf(leafOf(full))) {
        return {errorInvalidName};
    }
    if (!folderAt(parentOf(full))) {
        return {errorPathNotFound};
    }
    addFolder(full);
    return {};
}

Status replaceFile(const std::wstring& path, std::string_view bytes) {
    if (auto error = std::exchange(drive().nextReplaceError, 0UL)) {
        return {error};
    }
    const auto full = absolute(path);
    if (!validLeaf(leafOf(full))) {
        return {errorInvalidName};
    }
    if (!folderAt(parentOf(full))) {
        return {find(parentOf(full)) ? errorAccessDenied : errorPathNotFound};
    }
    if (auto* existing = find(full)) {
        if (existing->folder || (existing->attributes & attr::readOnly)) {
            return {errorAccessDenied};
        }
        existing->bytes.assign(bytes);
        return {};
    }
    addFile(full, std::string(bytes));
    return {};
}

FileBytes readFile(const std::wstring& path, std::size_t limit) {
    const auto* entry = find(path);
    if (!entry) {
        return {{folderAt(parentOf(absolute(path))) ? 2UL : errorPathNotFound}, false, {}};
    }
    if (entry->folder) {
        return {{errorAccessDenied}, false, {}};
    }
    if (entry->bytes.size() > limit) {
        return {{}, true, {}};
    }
    return {{}, false, entry->bytes};
}

Status replaceHiddenFile(const std::wstring& path, std::string_view bytes) {
    const Status written = replaceFile(path, bytes);
    if (written.ok()) {
        find(path)->attributes |= attr::hidden;
    }
    return written;
}

std::optional<std::string> readSmallFile(const std::wstring& path, std::size_t limit) {
    const auto* entry = find(path);
    if (!entry || entry->folder || entry->bytes.size() > limit) {
        return std::nullopt;
    }
    return entry->bytes;
}

void removeLeftovers(const std::wstring& folder) {
    const auto parent = fold(absolute(folder));
    std::vector<std::wstring> ended;
    for (const auto& [key, entry] : drive().entries) {
        if (fold(parentOf(entry.path)) != parent) {
            continue;
        }
        const auto leaf = leafOf(entry.path);
        const auto owner = leftoverOwner(leaf);
        if (owner && entry.folder == leaf.starts_with(L"~staging-") &&
            !drive().runningProcesses.contains(*owner)) {
            ended.push_back(key);
        }
    }
    for (const auto& key : ended) {
        std::erase_if(drive().entries, [&](const auto& item) {
            return item.first == key || item.first.starts_with(key + L"\\");
        });
    }
}

} // namespace platform
