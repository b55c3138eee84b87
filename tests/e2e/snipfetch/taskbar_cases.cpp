// snipfetch's taskbar button under Wine: a stand-in for the shell's taskbar
// object (taskbar_stand_in.cpp), registered for its class while a case runs,
// logs what the program asks of it. Wine 8 never sends "TaskbarButtonCreated"
// and its COM reads only the machine's classes, so the case registers the
// stand-in there and sends the message itself, as the shell does once the
// window's button exists.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/registry_value.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

#include <sstream>

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

using Lines = std::vector<std::string>;

const std::wstring serverKey =
    L"Software\\Classes\\CLSID\\{56FDF344-FD6D-11d0-958A-006097C9A090}\\InprocServer32";

RegistryValue registryText(std::wstring_view value) {
    return {REG_SZ, std::string(reinterpret_cast<const char*>(value.data()),
                                (value.size() + 1) * sizeof(wchar_t))};
}

// The class served by the DLL at `path` for the programs started meanwhile.
class TaskbarClassOverride {
public:
    explicit TaskbarClassOverride(const std::wstring& path)
        : server_(HKEY_LOCAL_MACHINE, serverKey, L"", registryText(path)),
          threading_(HKEY_LOCAL_MACHINE, serverKey, L"ThreadingModel", registryText(L"Apartment")) {
    }

private:
    RegistryValueOverride server_;
    RegistryValueOverride threading_;
};

// A copy of the stand-in in the case's folder, registered while this lives.
class StandInTaskbar {
public:
    StandInTaskbar()
        : folder_(L"taskbar\\" + Suite::currentCase()), dll_(folder_ / L"taskbar_stand_in.dll"),
          copied_(copy(dll_)), registered_(dll_) {}

    // What the program asked of it, window handles written as "W".
    Lines calls(HWND window) const {
        const auto log = readFileBytes(dll_ + L".log");
        const std::string number = std::to_string(reinterpret_cast<ULONG_PTR>(window));
        Lines lines;
        std::istringstream in(log.value_or(""));
        for (std::string line; std::getline(in, line);) {
            if (const auto at = line.find(" " + number); at != std::string::npos) {
                line.replace(at + 1, number.size(), "W");
            }
            lines.push_back(line);
        }
        return lines;
    }

private:
    CaseFolder folder_;
    std::wstring dll_;
    bool copied_;
    TaskbarClassOverride registered_;

    static bool copy(const std::wstring& to) {
        const auto bytes = readFileBytes(windowsPath(Suite::option(L"taskbar-dll")));
        require(bytes.has_value(), "could not read the stand-in taskbar DLL");
        writeFileBytes(to, *bytes);
        return true;
    }
};

// What the shell sends once it has made the window's button.
void announceTaskbarButton(HWND window) {
    const UINT created = RegisterWindowMessageW(L"TaskbarButtonCreated");
    DWORD_PTR result = 0;
    require(SendMessageTimeoutW(window, created, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0,
            "the window did not take TaskbarButtonCreated");
}

E2E_CASE(taskbar, busy_for_get_list_and_rising_through_a_download) {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\nb.snp\r\nc.snp\r\n");
    for (const auto* name : {L"a.snp", L"b.snp", L"c.snp"}) {
        site.serve(name, "sniplet");
    }
    const StandInTaskbar taskbar;
    SnipfetchRun window;
    window.getList();
    checkEqual(taskbar.calls(window.window()), Lines{}, "calls before the button exists");
    announceTaskbarButton(window.window());

    window.getList();
    window.expectNoMessage();
    checkEqual(taskbar.calls(window.window()), Lines{"init", "state W 1", "state W 0"},
               "calls of Get List");
    for (int row = 0; row < 3; ++row) {
        window.clickCheckBox(row);
    }
    window.download();
    // Cleared before the Notice comes up.
    checkEqual(taskbar.calls(window.window()),
               Lines{"init", "state W 1", "state W 0", "init", "state W 2", "value W 0 3",
                     "value W 1 3", "value W 2 3", "value W 3 3", "state W 0"},
               "calls of Get List and Download");
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    window.close();
}

E2E_CASE(taskbar, error_until_the_box_is_answered) {
    SnipletSite site;
    site.answerStatus(L"Sniplets.txt", 500);
    const StandInTaskbar taskbar;
    SnipfetchRun window;
    announceTaskbarButton(window.window());
    window.getList();
    const auto box = waitForMessageBox(window.processId());
    checkBox(box, L"Error", text::listError, BoxIcon::Stop);
    const Lines shown{"init", "state W 1", "state W 4", "value W 1 1"};
    checkEqual(taskbar.calls(window.window()), shown, "calls while the Error box is up");
    answer(box, button::ok);
    // The clearing comes once the handler has returned from the box.
    waitUntil([&] { return taskbar.calls(window.window()).size() > shown.size(); });
    Lines cleared = shown;
    cleared.push_back("state W 0");
    checkEqual(taskbar.calls(window.window()), cleared, "calls once the box is answered");
    window.close();
}

// Where the class cannot be made (here: its DLL is missing), the button shows
// nothing and the window works as always.
E2E_CASE(taskbar, no_taskbar_object_changes_nothing) {
    const CaseFolder folder(L"taskbar\\" + Suite::currentCase());
    const TaskbarClassOverride missing(folder / L"missing.dll");
    SnipletSite site;
    site.serveCatalogue("a.snp\r\n");
    site.serve(L"a.snp", "sniplet a");
    SnipfetchRun window;
    announceTaskbarButton(window.window());
    window.getList();
    window.expectNoMessage();
    window.checkRows({L"a.snp"});
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplet(L"a.snp"), "sniplet a");
    window.close();
}

} // namespace
