#include "tests/e2e/driver/app_process.h"

#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

std::wstring windowsPath(std::wstring_view path) {
    std::wstring result = path.starts_with(L"/") ? L"Z:" + std::wstring(path) : std::wstring(path);
    std::replace(result.begin(), result.end(), L'/', L'\\');
    return result;
}

namespace {

// Folder for the files of this run's cases: E2E_WORK_DIR when set, else the temp
// folder.
std::wstring workRoot() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"E2E_WORK_DIR", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return windowsPath(buffer);
    }
    GetTempPathW(MAX_PATH, buffer);
    std::wstring temp = buffer;
    if (!temp.empty() && temp.back() == L'\\') {
        temp.pop_back();
    }
    return temp;
}

} // namespace

bool removeAll(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return DeleteFileW(path.c_str()) != 0;
    }
    bool ok = true;
    for (const auto& name : folderEntries(path)) {
        ok = removeAll(path + L"\\" + name) && ok;
    }
    return RemoveDirectoryW(path.c_str()) != 0 && ok;
}

CaseFolder::CaseFolder(std::wstring_view name) : path_(workRoot() + L"\\" + std::wstring(name)) {
    require(removeAll(path_), "could not remove the old folder " + describe(path_));
    // Every folder on the way, the last one new.
    for (auto slash = path_.find(L'\\', 3); slash != std::wstring::npos;
         slash = path_.find(L'\\', slash + 1)) {
        CreateDirectoryW(path_.substr(0, slash).c_str(), nullptr);
    }
    if (!CreateDirectoryW(path_.c_str(), nullptr)) {
        const DWORD error = GetLastError();
        fail("could not make the folder " + describe(path_) + " (error " + std::to_string(error) +
             ")");
    }
}

std::wstring CaseFolder::operator/(std::wstring_view child) const {
    return path_ + L"\\" + std::wstring(child);
}

App::App(const std::wstring& programPath, const std::wstring& folder, const Placement& placement) {
    const std::wstring source = windowsPath(programPath);
    const auto slash = source.find_last_of(L'\\');
    const std::wstring copy =
        folder + L"\\" +
        (placement.fileName.empty() ? source.substr(slash == std::wstring::npos ? 0 : slash + 1)
                                    : placement.fileName);
    const std::wstring& currentDirectory =
        placement.currentDirectory.empty() ? folder : placement.currentDirectory;
    if (!CopyFileW(source.c_str(), copy.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        fail("could not copy " + describe(source) + " to " + describe(copy) + " (error " +
             std::to_string(error) + ")");
    }
    // Now and then under Wine a new process ends before it has run any of its own
    // code, and CreateProcessW reports ERROR_INTERNAL_ERROR (seen once in 96 cases
    // on a busy machine). That is the loader, not the program: try again.
    constexpr int attempts = 3;
    std::wstring commandLine = L"\"" + copy + L"\"";
    if (!placement.arguments.empty()) {
        commandLine += L" " + placement.arguments;
    }
    for (int attempt = 1;; ++attempt) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           currentDirectory.c_str(), &startup, &process_)) {
            return;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == attempts) {
            fail("could not start " + describe(copy) + " (error " + std::to_string(error) + ")");
        }
        std::fprintf(stderr, "  the new process was lost while starting (error %lu); again\n",
                     static_cast<unsigned long>(error));
        Sleep(250);
    }
}

App::~App() {
    if (process_.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        // A case that ended early leaves the program up: end it so the next case
        // starts clean.
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

void App::kill() {
    require(TerminateProcess(process_.hProcess, 1) != 0, "could not end the program");
    require(WaitForSingleObject(process_.hProcess, 5000) == WAIT_OBJECT_0,
            "the program did not end when killed");
}

DWORD App::waitForExit(milliseconds timeout) {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0) {
        fail("the program did not end within " + std::to_string(timeout.count()) + " ms");
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

} // namespace e2e
