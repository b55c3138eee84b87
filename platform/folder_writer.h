// Files written into one folder, each whole or not at all, cheaply enough for
// a thousand downloads in a row.
#pragma once

#include "platform/files.h"

#include <memory>
#include <string>
#include <string_view>

namespace platform {

class FolderWriter {
public:
    explicit FolderWriter(std::wstring folder);
    ~FolderWriter(); // removes the staging folder it made
    FolderWriter(const FolderWriter&) = delete;
    FolderWriter& operator=(const FolderWriter&) = delete;

    // Writes <folder>\<name>: the bytes go to a temporary file in a hidden
    // staging folder inside the folder, which is then moved over the target. A
    // failed write leaves the earlier file whole and no temporary file behind;
    // a read-only target or a folder of that name is not replaced
    // (ERROR_ACCESS_DENIED), a name with a path in it is refused
    // (ERROR_INVALID_NAME). Unlike replaceFile nothing waits for the disk: a
    // file lost to a power failure can be downloaded again.
    Status write(const std::wstring& name, std::string_view bytes);

private:
    struct Staging;
    std::wstring folder_;
    std::unique_ptr<Staging> staging_;
};

} // namespace platform
