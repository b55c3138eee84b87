#include "platform/folder_writer.h"

namespace platform {

Status FolderWriter::write(const std::wstring& name, std::string_view bytes) {
    File file = open(name);
    if (const Status appended = file.append(bytes); !appended.ok()) {
        return appended;
    }
    return file.commit();
}

} // namespace platform
