#include "platform/folder_writer.h"

namespace platform {

// In memory there is neither a disk to wait for nor a folder to scan: each
// write is replaceFile's, whose scripted failures (failNextReplace) apply.
struct FolderWriter::Staging {};

FolderWriter::FolderWriter(std::wstring folder) : folder_(std::move(folder)) {}
FolderWriter::~FolderWriter() = default;

Status FolderWriter::write(const std::wstring& name, std::string_view bytes) {
    if (name.find_first_of(L"\\/") != std::wstring::npos) {
        return Status{123}; // ERROR_INVALID_NAME
    }
    return replaceFile(folder_ + L"\\" + name, bytes);
}

} // namespace platform
