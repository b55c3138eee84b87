// The system's Open dialog, for one kind of file.
#pragma once

#include <optional>
#include <string>

namespace platform {

struct OpenFileRequest {
    std::wstring filterName; // "Sniplets (*.snp)"
    std::wstring pattern;    // "*.snp"
    std::wstring startFolder;
};

// Shows the dialog modal to the program's active window; the chosen file's full
// path, or nothing when the user cancelled.
std::optional<std::wstring> askFileToOpen(const OpenFileRequest& request);

} // namespace platform
