// snipforge started for one case from a fresh folder <work>\snipforge\<case>, its
// main window driven through its table, and what its Create and About buttons do.
#pragma once

#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/program_run.h"

#include <string>
#include <string_view>

namespace snipforge_e2e {

class SnipforgeRun : public e2e::ProgramRun {
public:
    // dpi: the DPI the program starts with (the prefix's LogPixels); arguments:
    // its command line after the program's path.
    explicit SnipforgeRun(int dpi = e2e::systemDpi(), const std::wstring& arguments = {});

    std::wstring snipletsFolder() const { return *this / L"Sniplets"; }
    std::wstring snipletPath(std::wstring_view name) const;

    // Presses "Create Add-In" and reads the box it shows.
    e2e::MessageBoxView create();
    // Presses "Create Add-In", expects the completion message for the file and
    // closes it.
    void createAndConfirm(std::wstring_view name);

    // Clicks About and drives the About window that opens.
    e2e::WindowDriver openAbout();
    // Waits until the About window is gone and the main window takes input again.
    void expectAboutClosed(const e2e::WindowDriver& about);
};

// The completion message of a Create that wrote path.
std::wstring completionText(std::wstring_view path);

// The twelve lines of a sniplet file, each ended by CR LF, in the ANSI code page
// (the texts here are ASCII).
std::string snipletFile(std::string_view name, std::string_view author, std::string_view about,
                        std::string_view code16 = "", std::string_view code32 = "",
                        std::string_view decl16 = "", std::string_view decl32 = "");

} // namespace snipforge_e2e
