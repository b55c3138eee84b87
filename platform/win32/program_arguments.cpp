#include "platform/program_arguments.h"

#include <windows.h>

#include <shellapi.h>

#include <string_view>

namespace platform {

namespace {

// The command line after the program's name, which Windows reads by its own
// rule: up to the next quote when it starts with one, else up to a blank.
std::wstring_view afterProgramName(std::wstring_view line) {
    std::size_t end = 0;
    if (!line.empty() && line[0] == L'"') {
        end = line.find(L'"', 1);
        end = end == std::wstring_view::npos ? line.size() : end + 1;
    } else {
        end = line.find_first_of(L" \t");
        end = end == std::wstring_view::npos ? line.size() : end;
    }
    return line.substr(end);
}

} // namespace

std::vector<std::wstring> programArguments() {
    const wchar_t* line = GetCommandLineW();
    // Most starts have no argument: shell32 (delay-loaded) stays unloaded then.
    if (afterProgramName(line).find_first_not_of(L" \t") == std::wstring_view::npos) {
        return {};
    }
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(line, &count);
    if (!arguments) {
        return {};
    }
    std::vector<std::wstring> result(arguments + (count > 0 ? 1 : 0), arguments + count);
    LocalFree(arguments);
    return result;
}

} // namespace platform
