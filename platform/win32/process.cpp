// Starting a program with CreateProcessW.
#include "platform/process.h"

#include "platform/win32/handles.h"

#include <windows.h>

namespace platform {

Status startProgram(const std::wstring& path) {
    if (path.empty()) {
        return {ERROR_FILE_NOT_FOUND};
    }
    // The application name fixes the program; the quoted path is only the
    // command line it sees as its first argument.
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return {GetLastError()};
    }
    const win32::KernelHandle processHandle(process.hProcess);
    const win32::KernelHandle threadHandle(process.hThread);
    return {};
}

} // namespace platform
