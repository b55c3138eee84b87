// Files written into one folder, each whole or not at all, cheaply enough for
// a thousand downloads in a row, and streamed: a file's bytes go to disk as
// they come.
#pragma once

#include "platform/byte_sink.h"
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

    // A file on its way to <folder>\<name>. Its bytes go to a temporary file in
    // a hidden staging folder inside the folder; commit() moves that over the
    // target. Dropped without a commit, or when a step fails, it leaves the
    // earlier file whole and no temporary file behind. A read-only target or a
    // folder of that name is not replaced (ERROR_ACCESS_DENIED), a name with a
    // path in it is refused (ERROR_INVALID_NAME). Unlike replaceFile nothing
    // waits for the disk: a file lost to a power failure can be downloaded again.
    class File final : public ByteSink {
    public:
        File(File&&) noexcept;
        File& operator=(File&&) noexcept;
        ~File() override;

        Status append(std::string_view bytes) override;
        Status commit(); // once; the first failure of any step is the result

    private:
        friend class FolderWriter;
        struct State;
        explicit File(std::unique_ptr<State> state);
        std::unique_ptr<State> state_;
    };

    File open(const std::wstring& name);
    // open(), append() and commit() in one.
    Status write(const std::wstring& name, std::string_view bytes);

private:
    struct Staging;
    std::wstring folder_;
    std::wstring fullFolder_; // empty where the system gave no full path
    std::unique_ptr<Staging> staging_;
    // The folder temporary files go to, made at the first call.
    const std::wstring& stagingFolder();
};

} // namespace platform
