// One run of snipforge for one case: a fresh application folder with a copy of the
// program, the program started from it, its main window and controls found where
// the twips table puts them.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "platform/form_spec.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/message_box.h"

namespace snipforge_e2e {

class Form1Session {
public:
    // dpi: the DPI the program starts with (the prefix's LogPixels).
    explicit Form1Session(std::wstring_view caseName, int dpi = 96);

    const platform::FormSpec& design() const { return design_; }
    int dpi() const { return dpi_; }
    DWORD processId() const { return app_.processId(); }
    HWND form() const { return form_; }
    const std::wstring& applicationFolder() const { return folder_.path(); }
    DWORD waitForExit() { return app_.waitForExit(); }

    // The control's window, found by class and rectangle; fails the case when it is
    // not where the table puts it.
    HWND control(std::wstring_view name);
    // The same, or null when it is not there (for checks that go on regardless).
    HWND findControl(std::wstring_view name);
    // The designer name of the control, when it is one of the form's.
    std::wstring nameOf(HWND window);

    std::wstring text(std::wstring_view name);
    bool checked(std::wstring_view name);
    void type(std::wstring_view name, std::wstring_view text);
    // Clicks and waits until the program has handled the click (or opened a modal
    // box from it).
    void click(std::wstring_view name);

    std::wstring snipletsFolder() const;
    std::wstring snipletPath(std::wstring_view name) const;

    // Presses "Create Add-In" and reads the box it shows.
    e2e::MessageBoxView create();
    // Presses "Create Add-In", expects the completion message for the file and
    // closes it.
    void createAndConfirm(std::wstring_view name);

private:
    platform::FormSpec design_;
    int dpi_;
    e2e::CaseFolder folder_;
    e2e::App app_;
    HWND form_;
    std::map<std::wstring, HWND, std::less<>> controls_;
};

// The completion message of a Create that wrote path.
std::wstring completionText(std::wstring_view path);

// The twelve lines of a sniplet file, each ended by CR LF, in the ANSI code page
// (the texts here are ASCII).
std::string snipletFile(std::string_view name, std::string_view author, std::string_view about,
                        std::string_view code16, std::string_view code32, std::string_view decl16,
                        std::string_view decl32);

} // namespace snipforge_e2e
