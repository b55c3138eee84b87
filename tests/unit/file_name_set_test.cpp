#include "platform/file_name_set.h"

#include "platform/file_name_case.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(FileNameSet, FindsEveryKeyItHoldsAndNoOther) {
    FileNameSet set;
    EXPECT_TRUE(set.empty());
    EXPECT_FALSE(set.containsKey(L"A"));
    // Enough keys for the table to grow several times, with an empty one among them.
    for (int i = 0; i < 5000; i += 2) {
        set.addKey(L"SNIPLET" + std::to_wstring(i) + L".SNP");
    }
    set.addKey(L"");
    EXPECT_EQ(set.size(), 2501u);
    for (int i = 0; i < 5000; ++i) {
        EXPECT_EQ(set.containsKey(L"SNIPLET" + std::to_wstring(i) + L".SNP"), i % 2 == 0) << i;
    }
    EXPECT_TRUE(set.containsKey(L""));
    // A prefix, an extension of a key or a key run into the next is no key.
    EXPECT_FALSE(set.containsKey(L"SNIPLET0"));
    EXPECT_FALSE(set.containsKey(L"SNIPLET0.SNPX"));
    EXPECT_FALSE(set.containsKey(L"SNIPLET0.SNPSNIPLET2.SNP"));
}

// The quick keys of ASCII names are the case keys, in UTF-8, in either direction.
TEST(FileNameSet, AsciiKeysAreTheCaseKeysInUtf8) {
    std::string key = "untouched";
    EXPECT_FALSE(asciiCaseKey(std::wstring_view(L"caf\u00e9.snp"), key));
    EXPECT_FALSE(asciiCaseKey(std::string_view("caf\xC3\xA9.snp"), key));
    EXPECT_EQ(key, "untouched");
    FileNameSet set;
    for (const wchar_t* name : {L"abc.snp", L"Zz09_-.~[]@`{}"}) {
        ASSERT_TRUE(asciiCaseKey(std::wstring_view(name), key));
        EXPECT_EQ(key, encodeUtf8(fileNameCaseKey(name)));
        set.addUtf8Key(key);
    }
    EXPECT_TRUE(set.containsKey(fileNameCaseKey(L"ABC.snp")));
    ASSERT_TRUE(asciiCaseKey(std::string_view("zZ09_-.~[]@`{}"), key));
    EXPECT_TRUE(set.containsUtf8Key(key));
    set.addKey(fileNameCaseKey(L"\u00e9t\u00e9.snp"));
    EXPECT_TRUE(set.containsUtf8Key(encodeUtf8(fileNameCaseKey(L"\u00c9T\u00c9.SNP"))));
}

TEST(FileNameSet, TheFolderSetHoldsTheOrdinaryFilesByTheirCaseKeys) {
    headless::reset();
    headless::addFolder(L"Sniplets");
    headless::addFile(L"Sniplets\\Abc.snp", "x");
    headless::addFile(L"Sniplets\\hidden.snp", "x", headless::attr::hidden);
    headless::addFolder(L"Sniplets\\folder.snp");
    const auto set = ordinaryFileNameSet(L"Sniplets");
    EXPECT_EQ(set.size(), 1u);
    EXPECT_TRUE(set.containsKey(fileNameCaseKey(L"aBC.SNP")));
    EXPECT_FALSE(set.containsKey(L"Abc.snp")); // keys, not names
    EXPECT_FALSE(set.containsKey(fileNameCaseKey(L"hidden.snp")));
    EXPECT_FALSE(set.containsKey(fileNameCaseKey(L"folder.snp")));
    EXPECT_TRUE(ordinaryFileNameSet(L"Missing").empty());
}

} // namespace
} // namespace platform
