#include "snipfetch/catalogue.h"

#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

using Entries = std::vector<std::wstring>;

TEST(CatalogueSplit, SplitsAtCrLfOnly) {
    EXPECT_EQ(splitCatalogue(L"a.snp\r\nb.snp"), (Entries{L"a.snp", L"b.snp"}));
    // A lone LF or CR separates nothing: the whole text is one entry.
    EXPECT_EQ(splitCatalogue(L"a.snp\nb.snp\rc.snp"), (Entries{L"a.snp\nb.snp\rc.snp"}));
    // LF CR is not the separator either, but the CR LF inside it is.
    EXPECT_EQ(splitCatalogue(L"a\n\r\nb"), (Entries{L"a\n", L"b"}));
}

TEST(CatalogueSplit, EmptyTextHasNoEntriesAndAFinalCrLfAnEmptyOne) {
    EXPECT_TRUE(splitCatalogue(L"").empty());
    EXPECT_EQ(splitCatalogue(L"a.snp\r\n"), (Entries{L"a.snp", L""}));
    EXPECT_EQ(splitCatalogue(L"\r\n\r\n"), (Entries{L"", L"", L""}));
}

TEST(CatalogueSplit, TrimsSpacesButNoOtherWhiteSpace) {
    EXPECT_EQ(splitCatalogue(L"  a b.snp  \r\n\tc.snp\t\r\n   "),
              (Entries{L"a b.snp", L"\tc.snp\t", L""}));
}

TEST(CatalogueNames, KeepsOrderAndDuplicates) {
    EXPECT_EQ(catalogueNames(L"b.snp\r\na.snp\r\nb.snp\r\n B.snp"),
              (Entries{L"b.snp", L"a.snp", L"b.snp", L"B.snp"}));
}

TEST(CatalogueNames, DropsEveryEntryThatIsNoPlainFileName) {
    const std::wstring text = L"\r\n"        // empty
                              L"   \r\n"     // spaces only
                              L".\r\n..\r\n" // the folder and its parent
                              L"..\\evil.snp\r\n../evil.snp\r\nC:\\evil.snp\r\nC:evil.snp\r\n"
                              L"a*.snp\r\na?.snp\r\na\"b.snp\r\na<b.snp\r\na>b.snp\r\na|b.snp\r\n"
                              L"tab\there.snp\r\n"
                              L"CON\r\nnul.snp\r\nCom1.snp\r\nlpt9\r\nAUX .snp\r\nprn\r\n"
                              L"good.snp\r\n"
                              L"COM0.snp\r\nCONSOLE.snp\r\nLPT10.snp\r\n"; // not device names
    EXPECT_EQ(catalogueNames(text),
              (Entries{L"good.snp", L"COM0.snp", L"CONSOLE.snp", L"LPT10.snp"}));
}

TEST(CatalogueDecode, ReadsUtf8WithOrWithoutByteOrderMark) {
    EXPECT_EQ(decodeCatalogue("Caf\xC3\xA9.snp\r\n"), L"Caf\u00E9.snp\r\n");
    EXPECT_EQ(decodeCatalogue("\xEF\xBB\xBF"
                              "a.snp"),
              L"a.snp");
    EXPECT_EQ(decodeCatalogue("\xD0\x96\xF0\x9F\x98\x80"), std::wstring(L"\u0416") + L"\U0001F600");
    EXPECT_EQ(decodeCatalogue(""), L"");
}

TEST(CatalogueDecode, FallsBackToTheAnsiCodePageWhenNotUtf8) {
    // 0xE9 alone is no UTF-8; code page 1252 reads it as e acute, 0x80 as the euro sign.
    EXPECT_EQ(decodeCatalogue("Caf\xE9 \x80.snp"), L"Caf\u00E9 \u20AC.snp");
    // Overlong form of '/', and an encoded surrogate: both rejected as UTF-8.
    EXPECT_EQ(decodeCatalogue("a\xC0\xAF"), L"a\u00C0\u00AF");
    EXPECT_EQ(decodeCatalogue("\xED\xA0\x80"), L"\u00ED\u00A0\u20AC");
    // A sequence cut short at the end.
    EXPECT_EQ(decodeCatalogue("x\xC3"), L"x\u00C3");
}

// Name by name from the body as UTF-8 gives what decoding the whole body and
// splitting it gives, with each name's place in the block: UTF-8 with and
// without a mark, and a body that is not UTF-8.
TEST(CatalogueNames, OneAtATimeFromTheBodyAsFromTheDecodedText) {
    for (const std::string& body : {
             std::string("a.snp\r\n  b c.snp \r\n..\r\n\r\na.snp\r\n"),
             std::string("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9.snp\r\n\xE2\x82\xAC.snp"),
             std::string("caf\xE9.snp\r\nna\xEFve.snp\r\n"), // Latin-1 bytes, no UTF-8
             std::string(),
         }) {
        const auto block = catalogueAsUtf8(body);
        Entries oneAtATime;
        forEachCatalogueName(
            block, [&](std::wstring_view name, std::size_t offset, std::size_t length) {
                oneAtATime.emplace_back(name);
                EXPECT_EQ(platform::decodeUtf8(block.substr(offset, length)), std::wstring(name));
            });
        EXPECT_EQ(oneAtATime, catalogueNames(decodeCatalogue(body))) << body;
    }
    EXPECT_EQ(catalogueAsUtf8("caf\xE9"), "caf\xC3\xA9");
}

} // namespace
} // namespace snipfetch
