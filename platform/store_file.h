// Files that can be fetched again: whole or not at all, without waiting for the disk.
#pragma once

#include "platform/files.h"

#include <string>
#include <string_view>

namespace platform {

// Writes the bytes to a temporary file beside the target and renames it over
// the target: as with replaceFile, a failed write leaves the earlier file whole
// and no temporary file behind. Unlike replaceFile it does not force the bytes
// to the disk before the rename, which makes it several times cheaper per file;
// a file lost to a power failure can be downloaded again. A read-only target or
// a folder of that name is not replaced (ERROR_ACCESS_DENIED).
Status storeFile(const std::wstring& path, std::string_view bytes);

} // namespace platform
