#include "platform/files.h"
#include "platform/win32/handles.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace platform {

FileBytes readFile(const std::wstring& path, std::size_t limit) {
    win32::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {{GetLastError()}, false, {}};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        return {{GetLastError()}, false, {}};
    }
    if (static_cast<unsigned long long>(size.QuadPart) > limit) {
        return {{}, true, {}};
    }
    // The file may grow while it is read: one byte past the limit tells.
    std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
            return {{GetLastError()}, false, {}};
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    if (done > limit) {
        return {{}, true, {}};
    }
    bytes.resize(done);
    return {{}, false, std::move(bytes)};
}

} // namespace platform
