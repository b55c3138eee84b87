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

TEST(FileNames, RefusesConsoleDevicesAndPortsWithSuperscriptDigits) {
    for (const std::wstring bad : {L"CONIN$", L"conout$", L"CONIN$.snp", L"COM\u00B9",
                                   L"com\u00B2.snp", L"LPT\u00B3", L"lpt\u00B9 .txt"}) {
        EXPECT_FALSE(isUsableFileName(bad));
    }
    for (const std::wstring good : {L"CONIN", L"CONIN$1", L"COM\u00B4", L"LPT\u00B9\u00B9"}) {
        EXPECT_TRUE(isUsableFileName(good));
    }
}

// Each of these would make a name show as something it is not.
TEST(FileNames, RefusesBidirectionalControls) {
    for (const wchar_t control :
         {0x200E, 0x200F, 0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069}) {
        EXPECT_FALSE(isUsableFileName(L"evil" + std::wstring(1, control) + L"pns.exe"))
            << std::hex << static_cast<int>(control);
    }
    // Their neighbours are ordinary characters.
    for (const wchar_t neighbour : {0x200D, 0x2010, 0x2029, 0x202F, 0x2065, 0x206A}) {
        EXPECT_TRUE(isUsableFileName(L"a" + std::wstring(1, neighbour) + L".snp"))
            << std::hex << static_cast<int>(neighbour);
    }
}

TEST(FileNames, RefusesNamesLongerThan255Units) {
    EXPECT_TRUE(isUsableFileName(std::wstring(251, L'a') + L".snp"));
    EXPECT_FALSE(isUsableFileName(std::wstring(252, L'a') + L".snp"));
    EXPECT_FALSE(isUsableFileName(std::wstring(10'000'000, L'a')));
}

TEST(FileNames, AcceptsNamesThatOnlyStartLikeDevices) {
    for (const std::wstring good : {L"CONSOLE", L"COM0", L"COM10", L"LPT", L"nul1.snp", L"a.CON",
                                    L" con", L"...snp", L"My Tools.snp", L"\u00e9t\u00e9.snp"}) {
        EXPECT_TRUE(isUsableFileName(good)) << std::string(good.begin(), good.end());
    }
}

} // namespace
} // namespace platform
