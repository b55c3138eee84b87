#include "tests/e2e/driver/check.h"

#include "tests/e2e/driver/dpi.h"
#include "tests/e2e/driver/wait.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace e2e {

namespace {

int failuresInCase = 0;
std::string runningCase;
std::map<std::wstring, std::wstring, std::less<>> options;

void print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void reportFailure(std::string_view what, const std::source_location& where) {
    ++failuresInCase;
    std::string_view file = where.file_name();
    file.remove_prefix(file.find_last_of("/\\") + 1); // npos + 1: the whole name
    print("  FAILED at " + std::string(file) + ":" + std::to_string(where.line()) + ": " +
          std::string(what) + "\n");
}

std::string escapeChar(unsigned code) {
    switch (code) {
    case '\r':
        return "\\r";
    case '\n':
        return "\\n";
    case '\t':
        return "\\t";
    case '"':
        return "\\\"";
    case '\\':
        return "\\\\";
    default:
        break;
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, code < 0x100 ? "\\x%02X" : "\\u%04X", code);
    return buffer;
}

std::vector<std::wstring> commandLineArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> result;
    if (arguments == nullptr) {
        return result;
    }
    for (int i = 1; i < count; ++i) {
        result.emplace_back(arguments[i]);
    }
    LocalFree(arguments);
    return result;
}

} // namespace

std::string utf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring widen(std::string_view utf8Text) {
    if (utf8Text.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(),
                                         static_cast<int>(utf8Text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(), static_cast<int>(utf8Text.size()),
                        result.data(), size);
    return result;
}

std::string describe(std::wstring_view text) {
    std::string result = "\"";
    for (const wchar_t c : text) {
        const auto code = static_cast<unsigned>(c);
        if (code >= 0x20 && code < 0x7F && c != L'"' && c != L'\\') {
            result += static_cast<char>(c);
        } else if (code >= 0xA0 && (code < 0xD800 || code > 0xDFFF)) {
            result += utf8(std::wstring_view(&c, 1));
        } else {
            result += escapeChar(code);
        }
    }
    return result + "\"";
}

std::string describeBytes(std::string_view bytes) {
    std::string result = "\"";
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 0x20 && code < 0x7F && c != '"' && c != '\\') {
            result += c;
        } else {
            result += escapeChar(code);
        }
    }
    return result + "\"";
}

std::string describe(long long number) {
    return std::to_string(number);
}

bool check(bool ok, std::string_view what, std::source_location where) {
    if (!ok) {
        reportFailure(what, where);
    }
    return ok;
}

void require(bool ok, std::string_view what, std::source_location where) {
    if (!ok) {
        fail(what, where);
    }
}

void fail(std::string_view what, std::source_location where) {
    reportFailure(what, where);
    throw CaseAborted{};
}

namespace {

template <class Text>
bool compareTexts(Text actual, Text expected, std::string_view what,
                  const std::source_location& where) {
    if (actual == expected) {
        return true;
    }
    const auto differs =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    reportFailure(std::string(what) + "\n    expected " + describe(expected) + "\n    actual   " +
                      describe(actual) + "\n    first difference at index " +
                      std::to_string(differs.first - actual.begin()),
                  where);
    return false;
}

} // namespace

bool checkEqual(std::wstring_view actual, std::wstring_view expected, std::string_view what,
                std::source_location where) {
    return compareTexts(actual, expected, what, where);
}

bool checkEqualBytes(std::string_view actual, std::string_view expected, std::string_view what,
                     std::source_location where) {
    return compareTexts(actual, expected, what, where);
}

bool checkEqual(long long actual, long long expected, std::string_view what,
                std::source_location where) {
    if (actual == expected) {
        return true;
    }
    reportFailure(std::string(what) + ": expected " + std::to_string(expected) + ", actual " +
                      std::to_string(actual),
                  where);
    return false;
}

void note(std::string_view text) {
    print("  " + std::string(text) + "\n");
}

namespace {

struct Case {
    std::string name;
    void (*body)();
};

// Filled before main by the cases' registrations, in any order of the files.
std::vector<Case>& cases() {
    static std::vector<Case> all;
    return all;
}

} // namespace

bool Suite::add(std::string caseName, void (*body)()) {
    cases().push_back({std::move(caseName), body});
    return true;
}

std::wstring Suite::option(std::wstring_view key) {
    const auto found = options.find(key);
    if (found == options.end()) {
        fail("the command line has no --" + utf8(key) + "=<value>");
    }
    return found->second;
}

std::wstring Suite::currentCase() {
    return widen(runningCase);
}

int Suite::run() {
    measureInPhysicalPixels();
    std::vector<std::string> chosen;
    for (const auto& argument : commandLineArguments()) {
        if (argument.starts_with(L"--case=")) {
            chosen.push_back(utf8(argument.substr(7)));
        } else if (const auto equals = argument.find(L'=');
                   argument.starts_with(L"--") && equals != std::wstring::npos) {
            options[argument.substr(2, equals - 2)] = argument.substr(equals + 1);
        } else {
            print("unknown argument " + describe(argument) + "\n");
            return 2;
        }
    }
    for (const auto& wanted : chosen) {
        if (std::none_of(cases().begin(), cases().end(),
                         [&](const Case& entry) { return entry.name == wanted; })) {
            print("no case named " + wanted + "\n");
            return 2;
        }
    }

    int failedCases = 0;
    int ranCases = 0;
    for (const auto& entry : cases()) {
        if (!chosen.empty() &&
            std::find(chosen.begin(), chosen.end(), entry.name) == chosen.end()) {
            continue;
        }
        ++ranCases;
        failuresInCase = 0;
        runningCase = entry.name;
        print("[ RUN    ] " + entry.name + "\n");
        const Stopwatch clock;
        try {
            entry.body();
        } catch (const CaseAborted&) {
            // Already reported.
        } catch (const std::exception& error) {
            reportFailure(std::string("exception: ") + error.what(),
                          std::source_location::current());
        }
        const bool passed = failuresInCase == 0;
        failedCases += passed ? 0 : 1;
        print(std::string(passed ? "[     OK ] " : "[ FAILED ] ") + entry.name + " (" +
              std::to_string(clock.elapsed().count()) + " ms)\n");
    }
    print(std::to_string(ranCases - failedCases) + " of " + std::to_string(ranCases) +
          " cases passed\n");
    return failedCases == 0 ? 0 : 1;
}

} // namespace e2e
