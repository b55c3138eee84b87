// snipfetch started in a fresh folder of its own (its current directory, where
// "Sniplets" goes), its window and controls found from the designed table, and
// its buttons pressed the way a user does.
#pragma once

#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/message_box.h"

#include <windows.h>

#include <string>
#include <vector>

namespace snipfetch_e2e {

constexpr e2e::milliseconds handlerTimeout{20000};

class SnipfetchWindow {
public:
    // Starts the program given by --program in a new, empty folder
    // <work>\snipfetch\<caseName>.
    explicit SnipfetchWindow(const std::wstring& caseName, int dpi = 96);
    // Starts program in folder as it is (a copy of the program goes there).
    SnipfetchWindow(const std::wstring& program, const std::wstring& folder, int dpi);

    const std::wstring& folder() const { return folder_; }
    std::wstring sniplets() const { return folder_ + L"\\Sniplets"; }
    DWORD processId() const { return app_.processId(); }
    const e2e::App& app() const { return app_; }
    int dpi() const { return dpi_; }

    HWND form() const { return form_; }
    HWND list() const { return list_; }
    HWND getListButton() const { return getList_; }
    HWND downloadButton() const { return download_; }

    // Clicks the button and returns once its handler has ended, or has put up
    // a message box.
    void press(HWND button, e2e::milliseconds timeout = handlerTimeout);
    void getList(e2e::milliseconds timeout = handlerTimeout) { press(getList_, timeout); }
    void download() { press(download_); }

    // The one message box that is up: checks its title, text, icon and OK
    // button, and closes it with OK.
    void expectMessage(std::wstring_view title, std::wstring_view text, e2e::BoxIcon icon);
    void expectNoMessage();

    std::vector<std::wstring> rows() const;
    std::vector<bool> checks() const;
    // Clicks into the row's check box.
    void clickCheckBox(int row);
    // Clicks on the row's text: selects it, leaves its box alone.
    void clickRow(int row);

    // Returns once the program has handled everything sent to it so far.
    void waitUntilIdle(e2e::milliseconds timeout = e2e::defaultTimeout);

    // Closes the window and checks that the program ends cleanly.
    void close();
    // Ends the program at once, wherever it is.
    void kill() { app_.kill(); }

private:
    std::wstring folder_;
    e2e::App app_;
    int dpi_;
    HWND form_;
    HWND list_ = nullptr;
    HWND getList_ = nullptr;
    HWND download_ = nullptr;
    UINT lastMarker_ = 0;
};

// The window's texts.
namespace text {
inline constexpr std::wstring_view noNewAddIns =
    L"It appears there are no new add-ins to download.";
inline constexpr std::wstring_view listError =
    L"An error occurred while trying to download the list.";
inline constexpr std::wstring_view downloadError =
    L"An error occurred while trying to download the file(s).";
inline constexpr std::wstring_view selectOne = L"You must select at least one file to download.";
inline constexpr std::wstring_view finished =
    L"Finished downloading file(s). You will need to restart the Dovuraviz in order to use them.";
} // namespace text

} // namespace snipfetch_e2e
