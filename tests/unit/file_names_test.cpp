#include "platform/file_names.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(FileNames, RefusesEmptyDotsSeparatorsWildcardsAndControlCharacters) {
    const std::wstring refused[] = {
        L"",      L".",     L"..",    L"a\\b", L"a/b", L"c:",    L"a*",
        L"a?",    L"\"",    L"<",     L">",    L"|",   L"a\x1f", std::wstring(1, L'\0'),
        L"name.", L"name ", L"a.snp."};
    for (const auto& bad : refused) {
        EXPECT_FALSE(isUsableFileName(bad)) << bad.size();
    }
}

TEST(FileNames, RefusesDeviceNamesInAnyCaseAlsoBeforeADotOrTrailingBlanks) {
    for (const std::wstring bad : {L"CON", L"prn", L"Aux", L"nul", L"COM1", L"com9", L"LPT1",
                                   L"lpt9", L"nul.snp", L"CON .txt", L"aux.a.b"}) {
        EXPECT_FALSE(isUsableFileName(bad)) << std::string(bad.begin(), bad.end());
    }
}

TEST(FileNames, AcceptsNamesThatOnlyStartLikeDevices) {
    for (const std::wstring good : {L"CONSOLE", L"COM0", L"COM10", L"LPT", L"nul1.snp", L"a.CON",
                                    L" con", L"...snp", L"My Tools.snp", L"\u00e9t\u00e9.snp"}) {
        EXPECT_TRUE(isUsableFileName(good)) << std::string(good.begin(), good.end());
    }
}

} // namespace
} // namespace platform
