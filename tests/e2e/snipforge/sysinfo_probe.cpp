// Stands in for System Information: appends to "ran.txt" beside itself which
// file ran, the command line it got and the window style it was asked for, then
// ends without showing anything.
#include <windows.h>

#include <memory>
#include <string>

namespace {

std::wstring ownPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::wstring self = ownPath();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const std::wstring showWindow = (startup.dwFlags & STARTF_USESHOWWINDOW)
                                        ? std::to_wstring(startup.wShowWindow)
                                        : std::wstring(L"none");
    // One write of a whole record, ending in "end", so a reader never sees half.
    const std::string record = utf8(L"module=" + self + L"\r\ncommand line=" + GetCommandLineW() +
                                    L"\r\nshow window=" + showWindow + L"\r\nend\r\n");
    const std::wstring log = self.substr(0, self.find_last_of(L'\\') + 1) + L"ran.txt";
    const HANDLE opened = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const FileHandle file(opened);
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    return ok && written == record.size() ? 0 : 1;
}
