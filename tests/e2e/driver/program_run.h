// One run of a program for a case: a copy of the program started in a folder of
// its own, driven through its main window.
#pragma once

#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/window_driver.h"

#include <string>
#include <string_view>

namespace e2e {

class ProgramRun : public App, public WindowDriver {
public:
    // Starts a copy of program in folder, its current directory; mainWindow is the
    // table of the window it opens, shown at dpi.
    ProgramRun(const std::wstring& program, const std::wstring& folder,
               platform::FormSpec mainWindow, int dpi, const Placement& placement = {});

    const std::wstring& folder() const { return folder_; }
    std::wstring operator/(std::wstring_view child) const {
        return folder_ + L"\\" + std::wstring(child);
    }

    // Closes the main window and checks that the program ends with exit code 0.
    void close();

private:
    std::wstring folder_;
};

} // namespace e2e
