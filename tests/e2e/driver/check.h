// Checks and the case runner of the end-to-end test programs: each program is a
// Suite of named cases; a failed check prints where and what, and the program
// exits non-zero when any case failed.
#pragma once

#include <source_location>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace e2e {

// Thrown by require() and fail() to end the running case.
struct CaseAborted {};

// Records a failure and lets the case go on.
bool check(bool ok, std::string_view what,
           std::source_location where = std::source_location::current());

// Records a failure and ends the case.
void require(bool ok, std::string_view what,
             std::source_location where = std::source_location::current());
[[noreturn]] void fail(std::string_view what,
                       std::source_location where = std::source_location::current());

// Readable forms of values for failure messages: text in double quotes with CR, LF,
// tabs and other control characters written as escapes.
std::string describe(std::wstring_view text);
std::string describeBytes(std::string_view bytes);
std::string describe(long long number);
inline std::string describe(std::string_view bytes) {
    return describeBytes(bytes);
}
template <class Item> std::string describe(const std::vector<Item>& items) {
    std::string text = "{";
    for (auto&& item : items) {
        text.append(text.size() > 1 ? ", " : "");
        if constexpr (std::is_same_v<Item, bool>) {
            text.append(item ? "true" : "false");
        } else {
            text.append(describe(item));
        }
    }
    return text + "}";
}

bool checkEqual(std::wstring_view actual, std::wstring_view expected, std::string_view what,
                std::source_location where = std::source_location::current());
bool checkEqualBytes(std::string_view actual, std::string_view expected, std::string_view what,
                     std::source_location where = std::source_location::current());
bool checkEqual(long long actual, long long expected, std::string_view what,
                std::source_location where = std::source_location::current());
// Lists, shown whole when they differ.
template <class Item>
bool checkEqual(const std::vector<Item>& actual, const std::vector<Item>& expected,
                std::string_view what,
                std::source_location where = std::source_location::current()) {
    return check(actual == expected,
                 std::string(what) + "\n    expected " + describe(expected) + "\n    actual   " +
                     describe(actual),
                 where);
}

// Progress notes printed in the test's output.
void note(std::string_view text);

// The cases of a test program, each written as
//   E2E_CASE(group, name) { ...checks... }
// and known as "group.name". The driver's main runs them; ctest runs each on its own
// (cmake/wine_tests.cmake reads the names from the sources).
class Suite {
public:
    static bool add(std::string caseName, void (*body)());

    // Command line: [--case=<name>]... [--<key>=<value>]...
    // Runs the named cases (all when none is named) and returns the exit code.
    static int run();

    // Value of --<key>=<value> from the command line; fails the program when it is
    // missing. Valid inside cases.
    static std::wstring option(std::wstring_view key);
    // Name of the running case, for the names of its folders.
    static std::wstring currentCase();
};

#define E2E_CASE(group, name)                                                                      \
    static void group##_##name();                                                                  \
    [[maybe_unused]] static const bool group##_##name##_added =                                    \
        ::e2e::Suite::add(#group "." #name, group##_##name);                                       \
    static void group##_##name()

// UTF-8 form of a wide string, for output.
std::string utf8(std::wstring_view text);
std::wstring widen(std::string_view utf8Text);

} // namespace e2e
