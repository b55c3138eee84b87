// The About window's System Info button under Wine: the registry entries set with
// reg.exe, a small program of ours standing in for System Information, and the one
// message when it cannot be started.
#include "tests/e2e/about/registry_setup.h"
#include "tests/e2e/about/snipforge_session.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"

namespace {

using namespace e2e;
using namespace about_e2e;

const std::wstring unavailable = L"System Information Is Unavailable At This Time";

// A copy of the stand-in program; it records its runs in "ran.txt" beside itself.
std::wstring placeProbe(const std::wstring& path) {
    const std::wstring probe = windowsPath(Suite::option(L"probe"));
    require(CopyFileW(probe.c_str(), path.c_str(), FALSE) != FALSE,
            "could not copy the stand-in program to " + utf8(path));
    return path;
}

std::wstring folderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring runLog(const std::wstring& programPath) {
    return folderOf(programPath) + L"\\ran.txt";
}

// What the stand-in writes when it was started as System Information should be.
std::string expectedRun(const std::wstring& programPath) {
    return utf8(L"module=" + programPath + L"\r\ncommand line=\"" + programPath +
                L"\"\r\nshow window=1\r\nend\r\n");
}

void expectStarted(const std::wstring& programPath) {
    const auto log = runLog(programPath);
    std::optional<std::string> seen;
    require(waitUntil([&] {
                seen = readFileBytes(log);
                return seen && seen->ends_with("end\r\n");
            }),
            "the stand-in at " + utf8(programPath) + " did not run");
    checkEqualBytes(*seen, expectedRun(programPath), "how the stand-in was started, once");
}

// Alt+S from the keyboard, into the About window brought to the front.
void pressAltS(HWND about) {
    SetForegroundWindow(about);
    require(waitUntil([&] { return GetForegroundWindow() == about; }),
            "the About window could not be brought to the front");
    INPUT keys[4] = {};
    const WORD order[4][2] = {
        {VK_MENU, 0}, {'S', 0}, {'S', KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i][0];
        keys[i].ki.wScan = static_cast<WORD>(MapVirtualKeyW(order[i][0], MAPVK_VK_TO_VSC));
        keys[i].ki.dwFlags = order[i][1];
    }
    require(SendInput(4, keys, sizeof(INPUT)) == 4, "the keys could not be sent");
}

void expectUnavailableMessage(const SnipforgeSession& session, HWND about) {
    const auto box = waitForMessageBox(session.processId());
    checkEqual(box.title, L"snipforge", "title of the message");
    checkEqual(box.text, unavailable, "text of the message");
    check(box.buttons == std::vector<int>{button::ok}, "the message has an OK button alone");
    check(box.icon == BoxIcon::None, "the message shows no icon, it shows " + describe(box.icon));
    answer(box, button::ok);
    check(IsWindowVisible(about) != FALSE, "the About window stays open after the message");
    check(IsWindowEnabled(about) != FALSE, "the About window takes input again");
    check(IsWindowEnabled(session.mainWindow()) == FALSE, "the main window is still blocked");
}

void closeAll(SnipforgeSession& session, HWND about) {
    check(noMessageBoxWithin(session.processId(), milliseconds{300}), "no message box left over");
    clickButton(session.aboutControl(about, L"cmdOK"));
    session.expectAboutClosed(about);
    session.close();
}

void pathEntryWithBlankStartedByAltS() {
    SnipforgeSession session(L"path_entry", systemDpi());
    const std::wstring folder = session.folder() / L"Sys Info";
    require(CreateDirectoryW(folder.c_str(), nullptr) != FALSE, "could not make " + utf8(folder));
    const std::wstring program = placeProbe(folder + L"\\msinfo32.exe");
    // Run in place of ours if the path were split at its blank.
    const std::wstring decoy = placeProbe(session.folder() / L"Sys.exe");
    removeSysInfoEntries();
    registerValue(msinfoKey, L"PATH", L"REG_SZ", program);

    HWND about = session.openAbout();
    pressAltS(about);
    expectStarted(program);
    check(!fileExists(runLog(decoy)), "the path was not split at its blank");
    check(IsWindowVisible(about) != FALSE, "the About window stays open");
    closeAll(session, about);
}

void locationEntryWithProgram() {
    SnipforgeSession session(L"location_entry", systemDpi());
    const std::wstring folder = session.folder() / L"Shared Sys Info";
    require(CreateDirectoryW(folder.c_str(), nullptr) != FALSE, "could not make " + utf8(folder));
    const std::wstring program = placeProbe(folder + L"\\MSINFO32.EXE");
    removeSysInfoEntries();
    registerValue(locationKey, L"MSINFO", L"REG_SZ", folder);

    HWND about = session.openAbout();
    clickButton(session.aboutControl(about, L"cmdSysInfo"));
    expectStarted(program);
    closeAll(session, about);
}

void locationEntryWithoutProgram() {
    SnipforgeSession session(L"location_without_program", systemDpi());
    const std::wstring folder = session.folder() / L"Shared Sys Info";
    require(CreateDirectoryW(folder.c_str(), nullptr) != FALSE, "could not make " + utf8(folder));
    const std::wstring other = placeProbe(folder + L"\\other.exe");
    removeSysInfoEntries();
    registerValue(locationKey, L"MSINFO", L"REG_SZ", folder);

    HWND about = session.openAbout();
    clickButton(session.aboutControl(about, L"cmdSysInfo"));
    expectUnavailableMessage(session, about);
    check(!fileExists(runLog(other)), "nothing was started");
    closeAll(session, about);
}

void noEntries() {
    SnipforgeSession session(L"no_entries", systemDpi());
    removeSysInfoEntries();
    HWND about = session.openAbout();
    clickButton(session.aboutControl(about, L"cmdSysInfo"));
    expectUnavailableMessage(session, about);
    // And again: the window is still in working order.
    clickButton(session.aboutControl(about, L"cmdSysInfo"));
    expectUnavailableMessage(session, about);
    closeAll(session, about);
}

void pathEntryToMissingProgram() {
    SnipforgeSession session(L"path_to_missing", systemDpi());
    const std::wstring folder = session.folder() / L"Shared Sys Info";
    require(CreateDirectoryW(folder.c_str(), nullptr) != FALSE, "could not make " + utf8(folder));
    const std::wstring fallback = placeProbe(folder + L"\\MSINFO32.EXE");
    removeSysInfoEntries();
    registerValue(msinfoKey, L"PATH", L"REG_SZ", session.folder() / L"missing\\msinfo32.exe");
    registerValue(locationKey, L"MSINFO", L"REG_SZ", folder);

    HWND about = session.openAbout();
    clickButton(session.aboutControl(about, L"cmdSysInfo"));
    expectUnavailableMessage(session, about);
    check(!fileExists(runLog(fallback)), "a registered path is not replaced by the location");
    closeAll(session, about);
}

// An environment variable for the programs this test starts, while it lives.
class EnvironmentVariable {
public:
    EnvironmentVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
        require(SetEnvironmentVariableW(name, value.c_str()) != FALSE,
                "could not set the environment variable " + utf8(name));
    }
    ~EnvironmentVariable() { SetEnvironmentVariableW(name_, nullptr); }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    const wchar_t* name_;
};

void expandablePathEntry() {
    const CaseFolder probeFolder(L"about\\expandable_path_probe");
    const std::wstring folder = probeFolder / L"Sys Info";
    require(CreateDirectoryW(folder.c_str(), nullptr) != FALSE, "could not make " + utf8(folder));
    const std::wstring program = placeProbe(folder + L"\\msinfo32.exe");
    removeSysInfoEntries();
    registerValue(msinfoKey, L"PATH", L"REG_EXPAND_SZ", L"%SNIPFORGE_E2E_SYSINFO%\\msinfo32.exe");
    // snipforge inherits the variable from this test program.
    const EnvironmentVariable variable(L"SNIPFORGE_E2E_SYSINFO", folder);

    SnipforgeSession session(L"expandable_path", systemDpi());
    HWND about = session.openAbout();
    clickButton(session.aboutControl(about, L"cmdSysInfo"));
    expectStarted(program);
    closeAll(session, about);
}

} // namespace

int main() {
    measureInPhysicalPixels();
    Suite suite("about_sysinfo");
    suite.add("path_entry_with_blank_started_by_alt_s", pathEntryWithBlankStartedByAltS);
    suite.add("location_entry_with_program", locationEntryWithProgram);
    suite.add("location_entry_without_program", locationEntryWithoutProgram);
    suite.add("no_entries", noEntries);
    suite.add("path_entry_to_missing_program", pathEntryToMissingProgram);
    suite.add("expandable_path_entry", expandablePathEntry);
    return suite.run();
}
