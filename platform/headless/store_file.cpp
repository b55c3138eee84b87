#include "platform/store_file.h"

namespace platform {

// In memory there is no disk to wait for: the same as replaceFile, whose
// scripted failures (failNextReplace) apply here too.
Status storeFile(const std::wstring& path, std::string_view bytes) {
    return replaceFile(path, bytes);
}

} // namespace platform
