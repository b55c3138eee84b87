#include "tests/e2e/snipforge/snipforge_run.h"

#include "snipforge/about_window_layout.h"
#include "snipforge/main_window_layout.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/ui.h"

namespace snipforge_e2e {

using namespace e2e;

SnipforgeRun::SnipforgeRun(int dpi, const std::wstring& arguments)
    : ProgramRun(Suite::option(L"app"), CaseFolder(L"snipforge\\" + Suite::currentCase()).path(),
                 snipforge::mainWindowLayout(), dpi, Placement{{}, {}, arguments}) {}

std::wstring SnipforgeRun::snipletPath(std::wstring_view name) const {
    return snipletsFolder() + L"\\" + std::wstring(name) + L".snp";
}

MessageBoxView SnipforgeRun::create() {
    click(L"Command1");
    return waitForMessageBox(processId());
}

void SnipforgeRun::createAndConfirm(std::wstring_view name) {
    const auto box = create();
    require(box.text == completionText(snipletPath(name)),
            "expected the completion message, got " + describe(box.text));
    answer(box, button::ok);
}

WindowDriver SnipforgeRun::openAbout() {
    const auto layout = snipforge::aboutWindowLayout();
    require(findTopLevelWindow(processId(), layout.caption) == nullptr,
            "an About window is open before About was clicked");
    checkEqual(text(L"Command3"), L"About", "caption of the About button");
    click(L"Command3");
    return WindowDriver(processId(), layout, dpi());
}

void SnipforgeRun::expectAboutClosed(const WindowDriver& about) {
    require(waitUntil([&] { return !IsWindow(about.window()); }), "the About window did not close");
    require(waitUntil([&] { return IsWindowEnabled(window()) != FALSE; }),
            "the main window stays disabled after the About window closed");
    check(IsWindowVisible(window()) != FALSE, "the main window is still shown");
}

std::wstring completionText(std::wstring_view path) {
    return L"Done creating sniplet.\r\nFile location: \"" + std::wstring(path) + L"\"";
}

std::string snipletFile(std::string_view name, std::string_view author, std::string_view about,
                        std::string_view code16, std::string_view code32, std::string_view decl16,
                        std::string_view decl32) {
    std::string file;
    for (const auto line : {std::string_view("Sniplet File"), name, author, about, code16,
                            std::string_view("---"), code32, std::string_view("---"), decl16,
                            std::string_view("---"), decl32, std::string_view("---")}) {
        file.append(line).append("\r\n");
    }
    return file;
}

} // namespace snipforge_e2e
