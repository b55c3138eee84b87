// Wine looks up a name that does not exist yet by scanning the whole folder for
// one that differs only in letter case, so in a folder of a thousand sniplets a
// temporary file beside the target costs a second scan per file. The temporary
// files are made in a small staging folder instead; only the move into the
// folder looks up the target's name there.
#include "platform/folder_writer.h"

#include "platform/decimal_text.h"
#include "platform/win32/close_during_wait.h"
#include "platform/win32/handles.h"
#include "platform/win32/lock.h"
#include "platform/win32/write_all.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <memory>
#include <mutex> // std::lock_guard
#include <vector>

namespace platform {

namespace {

using win32::FileHandle;
using win32::writeAll;

bool isPlainName(const std::wstring& name) {
    return !name.empty() && name.find_first_of(L"\\/") == std::wstring::npos;
}

// A new file of this process's own in the folder, opened for writing.
DWORD createTemporary(const std::wstring& folder, std::wstring& path, FileHandle& file) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder + L"\\~" + decimalText(GetCurrentProcessId()) + L"-" +
               decimalText(++counter) + L".tmp";
        // DELETE: the finished file is moved over the target by this handle.
        const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            file.reset(handle);
            return ERROR_SUCCESS;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            return GetLastError();
        }
    }
    return ERROR_FILE_EXISTS;
}

// Windows refuses to move over a read-only file, Wine does not: refuse here. A
// folder is never replaced either.
bool mayReplace(const std::wstring& target) {
    const DWORD existing = GetFileAttributesW(target.c_str());
    return existing == INVALID_FILE_ATTRIBUTES ||
           (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

// Moves the finished temporary file to the target by its name. No
// write-through: the rename does not wait for the disk either. The target's
// attributes are read only when it exists: that lookup is cheap, a miss is not.
DWORD moveByName(const std::wstring& temporary, const std::wstring& target) {
    if (MoveFileExW(temporary.c_str(), target.c_str(), 0)) {
        return ERROR_SUCCESS;
    }
    if (const DWORD error = GetLastError();
        error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) {
        return error;
    }
    if (!mayReplace(target)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

DWORD renameOpenFile(HANDLE file, const std::wstring& fullTarget, bool replace) {
    const DWORD nameBytes = static_cast<DWORD>(fullTarget.size() * sizeof(wchar_t));
    std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes +
                                      sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = replace ? TRUE : FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = nameBytes;
    std::memcpy(info->FileName, fullTarget.data(), nameBytes);
    if (!SetFileInformationByHandle(file, FileRenameInfo, info,
                                    static_cast<DWORD>(buffer.size()))) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

// Moves the finished temporary file, still open, to the target (a full path, or
// empty when there is none) and closes it. By its handle where the system can:
// Wine then looks the target's name up once, where MoveFileExW opens the source
// again and looks the target up twice, each a scan of a large folder for a name
// that is not there yet. Otherwise by its name.
DWORD moveOver(FileHandle& file, const std::wstring& temporary, const std::wstring& fullTarget,
               const std::wstring& target) {
    DWORD error =
        fullTarget.empty() ? ERROR_NOT_SUPPORTED : renameOpenFile(file.get(), fullTarget, false);
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
        error =
            mayReplace(target) ? renameOpenFile(file.get(), fullTarget, true) : ERROR_ACCESS_DENIED;
    }
    const bool renamed = error == ERROR_SUCCESS;
    const bool byNameInstead = error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_PARAMETER ||
                               error == ERROR_INVALID_FUNCTION ||
                               error == ERROR_CALL_NOT_IMPLEMENTED;
    if (!CloseHandle(file.release()) && (renamed || byNameInstead)) {
        return GetLastError();
    }
    return byNameInstead ? moveByName(temporary, target) : error;
}

} // namespace

// Files are written on the transfers' threads while the window's thread commits
// them or, when the window is closed during a download, ends the program: the
// staging folder and each file in it have a lock of their own.
struct FolderWriter::Staging {
    win32::Lock guard;
    std::wstring path; // empty until the first file needs it
    bool made = false; // by us, so ours to remove
    std::vector<File::State*> inFlight;
    std::unique_ptr<win32::TidyBeforeEnd> tidy;

    void add(File::State* state) {
        const std::lock_guard lock(guard);
        inFlight.push_back(state);
    }
    void remove(File::State* state) {
        const std::lock_guard lock(guard);
        std::erase(inFlight, state);
    }
    // The program ends: no file in flight stays, and no staging folder.
    void tidyBeforeEnd();
};

struct FolderWriter::File::State {
    win32::Lock guard; // held while bytes go to the file
    FolderWriter* writer = nullptr;
    std::wstring name;
    std::wstring temporary; // empty until the first byte (or the commit) makes it
    FileHandle file;
    DWORD error = ERROR_SUCCESS; // the first failure, kept
    bool done = false;

    DWORD create() {
        if (temporary.empty()) {
            error = createTemporary(writer->stagingFolder(), temporary, file);
            if (error != ERROR_SUCCESS) {
                temporary.clear();
            } else {
                writer->staging_->add(this);
            }
        }
        return error;
    }

    void discard() {
        if (!temporary.empty()) {
            writer->staging_->remove(this);
            file.reset();
            DeleteFileW(temporary.c_str());
            temporary.clear();
        }
    }
};

void FolderWriter::Staging::tidyBeforeEnd() {
    const std::lock_guard lock(guard);
    for (File::State* state : inFlight) {
        // Never unlocked: no byte reaches the file after this.
        state->guard.lock();
        state->file.reset();
        DeleteFileW(state->temporary.c_str());
    }
    if (made) {
        RemoveDirectoryW(path.c_str());
    }
}

FolderWriter::File::File(std::unique_ptr<State> state) : state_(std::move(state)) {}
FolderWriter::File::File(File&&) noexcept = default;
FolderWriter::File& FolderWriter::File::operator=(File&&) noexcept = default;

FolderWriter::File::~File() {
    if (state_) {
        const std::lock_guard lock(state_->guard);
        state_->discard();
    }
}

Status FolderWriter::File::append(std::string_view bytes) {
    State& state = *state_;
    const std::lock_guard lock(state.guard);
    if (state.done) {
        return Status{ERROR_INVALID_FUNCTION};
    }
    if (state.error != ERROR_SUCCESS || state.create() != ERROR_SUCCESS) {
        return Status{state.error};
    }
    state.error = writeAll(state.file.get(), bytes);
    if (state.error != ERROR_SUCCESS) {
        state.discard();
    }
    return Status{state.error};
}

Status FolderWriter::File::commit() {
    State& state = *state_;
    const std::lock_guard lock(state.guard);
    if (state.done) {
        return Status{ERROR_INVALID_FUNCTION};
    }
    state.done = true;
    if (state.error != ERROR_SUCCESS || state.create() != ERROR_SUCCESS) {
        state.discard();
        return Status{state.error};
    }
    const auto& fullFolder = state.writer->fullFolder_;
    state.error = moveOver(state.file, state.temporary,
                           fullFolder.empty() ? std::wstring() : fullFolder + L"\\" + state.name,
                           state.writer->folder_ + L"\\" + state.name);
    if (state.error == ERROR_SUCCESS) {
        state.writer->staging_->remove(&state);
        state.temporary.clear(); // it is the target now
    } else {
        state.discard();
    }
    return Status{state.error};
}

namespace {

// The folder's full path, for moves by handle; empty when there is none.
std::wstring fullPathOf(const std::wstring& folder) {
    const DWORD size = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size ? GetFullPathNameW(folder.c_str(), size, full.data(), nullptr) : 0;
    if (length == 0 || length >= size) {
        return {};
    }
    full.resize(length);
    return full;
}

} // namespace

FolderWriter::FolderWriter(std::wstring folder)
    : folder_(std::move(folder)), fullFolder_(fullPathOf(folder_)),
      staging_(std::make_unique<Staging>()) {
    staging_->tidy = std::make_unique<win32::TidyBeforeEnd>(
        [staging = staging_.get()] { staging->tidyBeforeEnd(); });
}

FolderWriter::~FolderWriter() {
    staging_->tidy.reset();
    if (staging_->made) {
        RemoveDirectoryW(staging_->path.c_str());
    }
}

const std::wstring& FolderWriter::stagingFolder() {
    const std::lock_guard lock(staging_->guard);
    if (staging_->path.empty()) {
        // Without a staging folder the temporary files go into the folder
        // itself, which is slower but as safe.
        staging_->path = folder_ + L"\\~staging-" + decimalText(GetCurrentProcessId());
        if (CreateDirectoryW(staging_->path.c_str(), nullptr)) {
            SetFileAttributesW(staging_->path.c_str(), FILE_ATTRIBUTE_HIDDEN);
            staging_->made = true;
        } else {
            // One left behind by an earlier process of the same id is ours now.
            const DWORD attributes = GetFileAttributesW(staging_->path.c_str());
            staging_->made =
                attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
            if (!staging_->made) {
                staging_->path = folder_;
            }
        }
    }
    return staging_->path;
}

FolderWriter::File FolderWriter::open(const std::wstring& name) {
    auto state = std::make_unique<File::State>();
    state->writer = this;
    state->name = name;
    if (!isPlainName(name)) {
        state->error = ERROR_INVALID_NAME;
    }
    return File(std::move(state));
}

} // namespace platform
