// snipfetch started for one case, driven through its window's table, with what a
// user does in its list of check boxes and the messages its buttons show.
#pragma once

#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/program_run.h"

#include <source_location>
#include <string>
#include <string_view>
#include <vector>

namespace snipfetch_e2e {

constexpr e2e::milliseconds handlerTimeout{20000};

class SnipfetchRun : public e2e::ProgramRun {
public:
    // Starts the program given by --program in a new, empty folder
    // <work>\snipfetch\<case>.
    explicit SnipfetchRun(int dpi = 96);
    // Starts it in folder as it is (a copy of the program goes there).
    explicit SnipfetchRun(const std::wstring& folder, int dpi = 96,
                          const e2e::Placement& placement = {});

    std::wstring sniplets() const { return *this / L"Sniplets"; }
    std::wstring sniplet(std::wstring_view name) const {
        return sniplets() + L"\\" + std::wstring(name);
    }
    // Puts a file into the Sniplets folder, made when it is missing.
    void placeSniplet(std::wstring_view name, std::string_view bytes);
    HWND list() { return control(L"lstAddIns"); }

    void getList(e2e::milliseconds timeout = handlerTimeout) { click(L"cmdGetList", timeout); }
    void download() { click(L"cmdDownload", handlerTimeout); }

    // The one message box that is up: checks its title, text, icon, OK button and
    // owner, and closes it with OK.
    void expectMessage(std::wstring_view title, std::wstring_view text, e2e::BoxIcon icon);
    void expectNoMessage();

    bool checkRows(const std::vector<std::wstring>& expected,
                   std::source_location where = std::source_location::current());
    bool checkChecks(const std::vector<bool>& expected,
                     std::source_location where = std::source_location::current());
    // Clicks into the row's check box.
    void clickCheckBox(int row);
    // Clicks on the row's text: selects it, leaves its box alone.
    void clickRow(int row);
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
