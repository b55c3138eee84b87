// Checks and the case runner of the end-to-end test programs: each program is a
// Suite of named cases; a failed check prints where and what, and the program
// exits non-zero when any case failed.
#pragma once

#include <functional>
#include <source_location>
#include <string>
#include <string_view>
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

bool checkEqual(std::wstring_view actual, std::wstring_view expected, std::string_view what,
                std::source_location where = std::source_location::current());
bool checkEqualBytes(std::string_view actual, std::string_view expected, std::string_view what,
                     std::source_location where = std::source_location::current());
bool checkEqual(long long actual, long long expected, std::string_view what,
                std::source_location where = std::source_location::current());

// Progress notes printed in the test's output.
void note(std::string_view text);

class Suite {
public:
    explicit Suite(std::string name);

    void add(std::string caseName, std::function<void()> body);

    // Command line: [--case=<name>]... [--list] [--<key>=<value>]...
    // Runs the named cases (all when none is named) and returns the exit code.
    int run();

    // Value of --<key>=<value> from the command line; fails the program when it is
    // missing. Valid inside cases.
    static std::wstring option(std::wstring_view key);

private:
    struct Case {
        std::string name;
        std::function<void()> body;
    };
    std::string name_;
    std::vector<Case> cases_;
};

// UTF-8 form of a wide string, for output.
std::string utf8(std::wstring_view text);
std::wstring widen(std::string_view utf8Text);

} // namespace e2e
