#include "platform/folder_writer.h"

namespace platform {

// In memory there is neither a disk to wait for nor a folder to scan: a file's
// bytes are gathered and its commit is replaceFile's, whose scripted failures
// (failNextReplace) apply.
struct FolderWriter::Staging {};

struct FolderWriter::File::State {
    std::wstring path;
    std::string bytes;
    unsigned long error = 0;
    bool done = false;
};

FolderWriter::File::File(std::unique_ptr<State> state) : state_(std::move(state)) {}
FolderWriter::File::File(File&&) noexcept = default;
FolderWriter::File& FolderWriter::File::operator=(File&&) noexcept = default;
FolderWriter::File::~File() = default;

Status FolderWriter::File::append(std::string_view bytes) {
    if (state_->done) {
        return Status{1}; // ERROR_INVALID_FUNCTION
    }
    if (state_->error == 0) {
        state_->bytes.append(bytes);
    }
    return Status{state_->error};
}

Status FolderWriter::File::commit() {
    if (state_->done) {
        return Status{1};
    }
    state_->done = true;
    if (state_->error != 0) {
        return Status{state_->error};
    }
    return replaceFile(state_->path, state_->bytes);
}

FolderWriter::FolderWriter(std::wstring folder) : folder_(std::move(folder)) {}
FolderWriter::~FolderWriter() = default;

FolderWriter::File FolderWriter::open(const std::wstring& name) {
    auto state = std::make_unique<File::State>();
    state->path = folder_ + L"\\" + name;
    if (name.empty() || name.find_first_of(L"\\/") != std::wstring::npos) {
        state->error = 123; // ERROR_INVALID_NAME
    }
    return File(std::move(state));
}

} // namespace platform
