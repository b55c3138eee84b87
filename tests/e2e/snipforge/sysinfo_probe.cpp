// Stands in for System Information: appends to "ran.txt" beside itself which
// file ran, the command line it got and the window style it was asked for, then
// ends without showing anything.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t self[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    if (length == 0 || length == MAX_PATH * 4) {
        return 1;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const std::wstring showWindow = (startup.dwFlags & STARTF_USESHOWWINDOW)
                                        ? std::to_wstring(startup.wShowWindow)
                                        : std::wstring(L"none");
    const std::wstring record = L"module=" + std::wstring(self) + L"\r\ncommand line=" +
                                GetCommandLineW() + L"\r\nshow window=" + showWindow +
                                L"\r\nend\r\n";
    std::string bytes(record.size() * 3, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, record.data(), static_cast<int>(record.size()),
                            bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
    std::wstring log = self;
    log = log.substr(0, log.find_last_of(L'\\') + 1) + L"ran.txt";
    // One write of a whole record, ending in "end", so a reader never sees half.
    const HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return ok ? 0 : 1;
}
