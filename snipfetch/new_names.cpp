#include "snipfetch/new_names.h"

#include "platform/file_name_case.h"

namespace snipfetch {

bool NewNames::isNew(std::string_view utf8, std::wstring_view name) {
    // An empty folder needs no case keys at all.
    if (present_.empty()) {
        return true;
    }
    // Nearly every name is ASCII: its key comes from its bytes as they are.
    if (platform::asciiCaseKey(utf8, asciiKey_)) {
        return !present_.containsUtf8Key(asciiKey_);
    }
    platform::fileNameCaseKey(name, key_);
    return !present_.containsKey(key_);
}

} // namespace snipfetch
