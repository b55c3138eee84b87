// The About window's System Info button under Wine: the registry entries set for
// the program, a small program of ours standing in for System Information, and the
// one message when it cannot be started.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/registry_value.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipforge/snipforge_run.h"

#include <cwchar>

namespace {

using namespace snipforge_e2e;
using namespace e2e;

const std::wstring unavailable = L"System Information Is Unavailable At This Time";
const std::wstring msinfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::wstring locationKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";

// The System Information entries of HKEY_LOCAL_MACHINE as the program under test
// sees it (it has this program's bitness): each set to the text given, or removed.
void setSysInfoEntries(const wchar_t* path, const wchar_t* location, DWORD pathType = REG_SZ) {
    const auto set = [](const std::wstring& key, const wchar_t* name, DWORD type,
                        const wchar_t* text) {
        const RegistryValue value{type, text
                                            ? std::string(reinterpret_cast<const char*>(text),
                                                          (std::wcslen(text) + 1) * sizeof(wchar_t))
                                            : std::string()};
        if (text == nullptr) {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name);
        } else {
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, type, value.bytes.data(),
                            static_cast<DWORD>(value.bytes.size()));
        }
        const auto stored = readRegistryValue(HKEY_LOCAL_MACHINE, key, name);
        require(text ? stored && stored->type == type && stored->bytes == value.bytes : !stored,
                "could not set the System Information entry " + utf8(name));
    };
    set(msinfoKey, L"PATH", pathType, path);
    set(locationKey, L"MSINFO", REG_SZ, location);
}

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

// A copy of the stand-in program as <folder>\<subfolder>\<name>, in a new subfolder.
std::wstring placeProbeIn(const std::wstring& folder, const std::wstring& subfolder,
                          const std::wstring& name) {
    const std::wstring path = folder + L"\\" + subfolder;
    require(CreateDirectoryW(path.c_str(), nullptr) != FALSE, "could not make " + utf8(path));
    return placeProbe(path + L"\\" + name);
}

void expectUnavailableMessage(const SnipforgeRun& session, const WindowDriver& about) {
    const auto box = waitForMessageBox(session.processId());
    checkBox(box, L"snipforge", unavailable, BoxIcon::None, {button::ok}, "the message");
    answer(box, button::ok);
    check(IsWindowVisible(about.window()) != FALSE,
          "the About window stays open after the message");
    check(IsWindowEnabled(about.window()) != FALSE, "the About window takes input again");
    check(IsWindowEnabled(session.window()) == FALSE, "the main window is still blocked");
}

void closeAll(SnipforgeRun& session, WindowDriver& about) {
    check(noMessageBoxWithin(session.processId(), milliseconds{300}), "no message box left over");
    about.click(L"cmdOK");
    session.expectAboutClosed(about);
    session.close();
}

// Opens the About window and presses System Info in it.
WindowDriver pressSystemInfo(SnipforgeRun& session) {
    auto about = session.openAbout();
    about.click(L"cmdSysInfo");
    return about;
}

E2E_CASE(sysinfo, path_entry_with_blank_started_by_alt_s) {
    SnipforgeRun session;
    const std::wstring program = placeProbeIn(session.folder(), L"Sys Info", L"msinfo32.exe");
    // Run in place of ours if the path were split at its blank.
    const std::wstring decoy = placeProbe(session / L"Sys.exe");
    setSysInfoEntries(program.c_str(), nullptr);

    auto about = session.openAbout();
    pressChordInFront(about.window(), VK_MENU, 'S');
    expectStarted(program);
    check(!fileExists(runLog(decoy)), "the path was not split at its blank");
    check(IsWindowVisible(about.window()) != FALSE, "the About window stays open");
    closeAll(session, about);
}

E2E_CASE(sysinfo, location_entry_with_program) {
    SnipforgeRun session;
    const std::wstring program =
        placeProbeIn(session.folder(), L"Shared Sys Info", L"MSINFO32.EXE");
    setSysInfoEntries(nullptr, folderOf(program).c_str());

    auto about = pressSystemInfo(session);
    expectStarted(program);
    closeAll(session, about);
}

E2E_CASE(sysinfo, location_entry_without_program) {
    SnipforgeRun session;
    const std::wstring other = placeProbeIn(session.folder(), L"Shared Sys Info", L"other.exe");
    setSysInfoEntries(nullptr, folderOf(other).c_str());

    auto about = pressSystemInfo(session);
    expectUnavailableMessage(session, about);
    check(!fileExists(runLog(other)), "nothing was started");
    closeAll(session, about);
}

E2E_CASE(sysinfo, no_entries) {
    SnipforgeRun session;
    setSysInfoEntries(nullptr, nullptr);
    auto about = pressSystemInfo(session);
    expectUnavailableMessage(session, about);
    // And again: the window is still in working order.
    about.click(L"cmdSysInfo");
    expectUnavailableMessage(session, about);
    closeAll(session, about);
}

E2E_CASE(sysinfo, path_entry_to_missing_program) {
    SnipforgeRun session;
    const std::wstring fallback =
        placeProbeIn(session.folder(), L"Shared Sys Info", L"MSINFO32.EXE");
    setSysInfoEntries((session / L"missing\\msinfo32.exe").c_str(), folderOf(fallback).c_str());

    auto about = pressSystemInfo(session);
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

E2E_CASE(sysinfo, expandable_path_entry) {
    const CaseFolder probeFolder(L"snipforge\\expandable_path_probe");
    const std::wstring program = placeProbeIn(probeFolder.path(), L"Sys Info", L"msinfo32.exe");
    setSysInfoEntries(L"%SNIPFORGE_E2E_SYSINFO%\\msinfo32.exe", nullptr, REG_EXPAND_SZ);
    // snipforge inherits the variable from this test program.
    const EnvironmentVariable variable(L"SNIPFORGE_E2E_SYSINFO", folderOf(program));

    SnipforgeRun session;
    auto about = pressSystemInfo(session);
    expectStarted(program);
    closeAll(session, about);
}

} // namespace
