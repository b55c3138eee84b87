// The program under test: a fresh application folder per case, with a copy of the
// .exe, and the running process started from it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tests/e2e/driver/wait.h"

namespace e2e {

// "/a/b" (a Unix path, as CMake passes it) becomes "Z:\a\b"; other paths only get
// backslashes.
std::wstring windowsPath(std::wstring_view path);

// A new, empty folder <work root>\<name>, made afresh for each case. It stays after
// the case, for a look when the case failed; the next run starts it over.
class CaseFolder {
public:
    explicit CaseFolder(std::wstring_view name);
    const std::wstring& path() const { return path_; }
    std::wstring operator/(std::wstring_view child) const;

private:
    std::wstring path_;
};

// Deletes a folder and everything in it, read-only files included.
bool removeAll(const std::wstring& path);

// Under which file name a program's copy runs, and in which current directory.
struct Placement {
    std::wstring fileName;         // empty: the program's own
    std::wstring currentDirectory; // empty: the copy's folder
    std::wstring arguments;        // the command line after the program's quoted path
};

class App {
public:
    // Copies the program into folder (over an earlier copy) and starts that copy there, with folder
    // as its current directory unless placement says otherwise.
    App(const std::wstring& programPath, const std::wstring& folder,
        const Placement& placement = {});
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    DWORD processId() const { return process_.dwProcessId; }

    // Waits for the process to end; its exit code, or fails the case.
    DWORD waitForExit(milliseconds timeout = defaultTimeout);
    // Ends the process at once, as a crash or the task manager would.
    void kill();

private:
    PROCESS_INFORMATION process_{};
};

} // namespace e2e
