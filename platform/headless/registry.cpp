// An in-memory registry with the result codes of the real one.
#include "platform/headless/registry_fake.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>

namespace platform::headless::registry {

namespace {

namespace result = platform::registry::result;

struct Value {
    unsigned long type = 0;
    std::string bytes;
};

struct KeyEntry {
    std::map<std::wstring, Value> values; // by folded name
    bool readOnly = false;
};

struct Registry {
    std::map<std::wstring, KeyEntry> keys;   // by folded "<root>\path"
    std::map<Key, std::wstring> openHandles; // handle -> folded full path
    Key nextHandle = 0x1000;
    std::set<std::string> unbound;
    std::map<std::wstring, std::wstring> environment; // by folded name
    std::vector<OpenRequest> requests;
};

Registry& fakeRegistry() {
    static Registry r;
    return r;
}

std::wstring fold(std::wstring text) {
    for (auto& c : text) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return text;
}

std::wstring rootName(Key root) {
    return L"root" + std::to_wstring(root);
}

// Folded "<root>\a\b" from a root and a path with or without stray separators.
std::wstring fullPath(const std::wstring& base, const std::wstring& path) {
    std::wstring full = base;
    std::wstring part;
    for (const wchar_t c : path + L"\\") {
        if (c == L'\\') {
            if (!part.empty()) {
                full += L"\\" + fold(part);
            }
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    return full;
}

bool isPredefined(Key key) {
    return key == platform::registry::localMachine || key == platform::registry::currentUser;
}

// The folded path an open handle or a root stands for; empty when neither.
std::wstring basePath(Key key) {
    if (isPredefined(key)) {
        return rootName(key);
    }
    auto it = fakeRegistry().openHandles.find(key);
    return it == fakeRegistry().openHandles.end() ? std::wstring{} : it->second;
}

bool bound(const char* function) {
    return !fakeRegistry().unbound.contains(function);
}

constexpr unsigned long readRights = platform::registry::keyRead;
constexpr unsigned long viewFlags = 0x0100 | 0x0200; // KEY_WOW64_64KEY, KEY_WOW64_32KEY

} // namespace

void resetRegistry() {
    fakeRegistry() = Registry{};
}

void addKey(Key root, const std::wstring& path) {
    const std::wstring target = fullPath(rootName(root), path);
    // Every key on the way down exists too.
    for (auto end = target.find(L'\\'); end != std::wstring::npos;
         end = target.find(L'\\', end + 1)) {
        fakeRegistry().keys[target.substr(0, end)];
    }
    fakeRegistry().keys[target];
}

void setValue(Key root, const std::wstring& keyPath, const std::wstring& name, unsigned long type,
              std::string_view bytes) {
    addKey(root, keyPath);
    fakeRegistry().keys[fullPath(rootName(root), keyPath)].values[fold(name)] =
        Value{type, std::string(bytes)};
}

void setText(Key root, const std::wstring& keyPath, const std::wstring& name,
             const std::string& ansiText) {
    setValue(root, keyPath, name, platform::registry::valueType::text,
             std::string_view(ansiText.c_str(), ansiText.size() + 1));
}

void makeReadOnly(Key root, const std::wstring& keyPath) {
    addKey(root, keyPath);
    fakeRegistry().keys[fullPath(rootName(root), keyPath)].readOnly = true;
}

void makeUnbound(std::string_view functionName) {
    fakeRegistry().unbound.insert(std::string(functionName));
}

void setEnvironmentVariable(const std::wstring& name, const std::wstring& value) {
    fakeRegistry().environment[fold(name)] = value;
}

const std::vector<OpenRequest>& openRequests() {
    return fakeRegistry().requests;
}

int keysLeftOpen() {
    return static_cast<int>(fakeRegistry().openHandles.size());
}

} // namespace platform::headless::registry

namespace platform::registry {

using namespace platform::headless::registry;

void OpenKey::close() {
    if (handle_ && bound("RegCloseKey")) {
        fakeRegistry().openHandles.erase(handle_);
    }
    handle_ = 0;
}

long openKey(Key root, const std::wstring& subKey, unsigned long access, OpenKey& opened) {
    if (!bound("RegOpenKeyExA")) {
        return result::procNotFound;
    }
    const std::wstring base = basePath(root);
    if (base.empty()) {
        return 6; // ERROR_INVALID_HANDLE
    }
    const std::wstring path = fullPath(base, subKey);
    fakeRegistry().requests.push_back({path, access});
    auto it = fakeRegistry().keys.find(path);
    if (it == fakeRegistry().keys.end()) {
        return result::fileNotFound;
    }
    if (it->second.readOnly && (access & ~(readRights | viewFlags)) != 0) {
        return result::accessDenied;
    }
    const Key handle = fakeRegistry().nextHandle++;
    fakeRegistry().openHandles[handle] = path;
    opened.adopt(handle);
    return result::success;
}

long queryValue(const OpenKey& key, const std::wstring& valueName, unsigned long& type,
                std::vector<unsigned char>& data, unsigned long& size) {
    if (!bound("RegQueryValueExA")) {
        return result::procNotFound;
    }
    auto handle = fakeRegistry().openHandles.find(key.handle());
    if (handle == fakeRegistry().openHandles.end()) {
        return 6; // ERROR_INVALID_HANDLE
    }
    const auto& values = fakeRegistry().keys[handle->second].values;
    auto it = values.find(fold(valueName));
    if (it == values.end()) {
        return result::fileNotFound;
    }
    type = it->second.type;
    size = static_cast<unsigned long>(it->second.bytes.size());
    if (it->second.bytes.size() > data.size()) {
        return result::moreData;
    }
    std::copy(it->second.bytes.begin(), it->second.bytes.end(), data.begin());
    return result::success;
}

std::wstring expandEnvironmentReferences(const std::wstring& text) {
    // As the system does it: %NAME% of a known variable is replaced; anything
    // else stays, and the scan goes on from the second percent sign.
    std::wstring expanded;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto open = text.find(L'%', at);
        const auto close = open == std::wstring::npos ? open : text.find(L'%', open + 1);
        if (close == std::wstring::npos) {
            expanded += text.substr(at);
            break;
        }
        expanded += text.substr(at, open - at);
        const auto name = text.substr(open + 1, close - open - 1);
        auto variable = fakeRegistry().environment.find(fold(name));
        if (variable != fakeRegistry().environment.end()) {
            expanded += variable->second;
            at = close + 1;
        } else {
            expanded += L"%" + name;
            at = close;
        }
    }
    return expanded;
}

} // namespace platform::registry
