// The Win32 backend under Wine, in process. --group=<files|forms|keyboard|modal|
// check_list> picks the cases of one group; without it all run.
#include "tests/e2e/win32_backend/backend_forms.h"

#include "tests/e2e/driver/check.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

std::wstring chosenGroup() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring group;
    for (int index = 1; arguments && index < count; ++index) {
        const std::wstring argument = arguments[index];
        if (argument.starts_with(L"--group=")) {
            group = argument.substr(8);
        }
    }
    LocalFree(arguments);
    return group;
}

} // namespace

int main() {
    using namespace backend_e2e;
    const std::pair<const wchar_t*, CaseList (*)()> groups[] = {
        {L"files", filesCases}, {L"forms", formCases},           {L"keyboard", keyboardCases},
        {L"modal", modalCases}, {L"check_list", checkListCases},
    };
    const auto group = chosenGroup();
    e2e::Suite suite("win32_backend");
    for (const auto& [name, cases] : groups) {
        if (group.empty() || group == name) {
            for (auto& [caseName, body] : cases()) {
                suite.add(e2e::utf8(name) + "." + caseName, body);
            }
        }
    }
    return suite.run();
}
