#include "snipfetch/sniplet_url.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

TEST(SnipletUrl, CatalogueAndSnipletLiveUnderSniplets) {
    EXPECT_EQ(catalogueUrl(L"www.example.test"), L"http://www.example.test/Sniplets/Sniplets.txt");
    EXPECT_EQ(snipletUrl(L"127.0.0.1:8080", L"Beep.snp"),
              L"http://127.0.0.1:8080/Sniplets/Beep.snp");
}

TEST(SnipletUrl, NamesArePercentEncodedAsUtf8) {
    EXPECT_EQ(snipletUrl(L"h", L"My Tools.snp"), L"http://h/Sniplets/My%20Tools.snp");
    EXPECT_EQ(percentEncode(L"Caf\u00E9"), L"Caf%C3%A9");
    EXPECT_EQ(percentEncode(L"\u0416\U0001F600"), L"%D0%96%F0%9F%98%80");
}

TEST(SnipletUrl, KeepsOnlyUnreservedCharacters) {
    EXPECT_EQ(percentEncode(L"AZaz09-._~"), L"AZaz09-._~");
    EXPECT_EQ(percentEncode(L"%+&=#;,'!()[]@$"), L"%25%2B%26%3D%23%3B%2C%27%21%28%29%5B%5D%40%24");
    EXPECT_EQ(percentEncode(std::wstring(L"a\0b", 3)), L"a%00b");
    EXPECT_EQ(percentEncode(L""), L"");
}

} // namespace
} // namespace snipfetch
