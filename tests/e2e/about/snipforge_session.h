// snipforge started from a fresh folder, its main window found, and its About
// window opened and closed as a user does it.
#pragma once

#include "tests/e2e/driver/app_process.h"

#include <windows.h>

#include <string>

namespace about_e2e {

class SnipforgeSession {
public:
    // Starts the program given by --app in <work>\about\<caseName>; the program
    // runs at the prefix's DPI, which the expected rectangles are computed for.
    SnipforgeSession(const std::wstring& caseName, int dpi);

    const e2e::CaseFolder& folder() const { return folder_; }
    DWORD processId() const { return app_.processId(); }
    HWND mainWindow() const { return main_; }
    int dpi() const { return dpi_; }

    // Clicks "About" and waits for the About window.
    HWND openAbout();
    // A control of the open About window by its designer name.
    HWND aboutControl(HWND about, const std::wstring& name) const;
    // Waits until the About window is gone and the main window takes input again.
    void expectAboutClosed(HWND about);

    // Closes the main window and checks that the program ends cleanly.
    void close();

private:
    e2e::CaseFolder folder_;
    e2e::App app_;
    HWND main_;
    int dpi_;
};

} // namespace about_e2e
