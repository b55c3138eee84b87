#include "snipfetch/sniplet_url.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

TEST(SnipletUrl, CatalogueAndSnipletLiveUnderSniplets) {
    EXPECT_EQ(catalogueUrl(L"www.example.test"), L"http://www.example.test/Sniplets/Sniplets.txt");
    EXPECT_EQ(snipletUrl(L"127.0.0.1:8080", L"Beep.snp"),
              L"http://127.0.0.1:8080/Sniplets/Beep.snp");
}

TEST(SnipletUrl, TheSchemeComesFromTheServerSetting) {
    EXPECT_EQ(catalogueUrl(L"https://www.example.test"),
              L"https://www.example.test/Sniplets/Sniplets.txt");
    EXPECT_EQ(snipletUrl(L"http://localhost:8080", L"Beep.snp"),
              L"http://localhost:8080/Sniplets/Beep.snp");
    EXPECT_EQ(snipletUrl(L"HTTPS://[::1]:8443", L"a b.snp"),
              L"https://[::1]:8443/Sniplets/a%20b.snp");
    // Not an address: no URL that a request can take, and nothing over plain HTTP.
    EXPECT_EQ(catalogueUrl(L"ftp://www.example.test"), L"/Sniplets/Sniplets.txt");
    EXPECT_EQ(snipletUrl(L"https://h/", L"a.snp"), L"/Sniplets/a.snp");
}

TEST(SnipletUrl, ServerSettingsTakeOnlyAHostAndAPort) {
    static_assert(parseServerSetting(L"https://h:443").has_value()); // the build checks it so
    for (const wchar_t* good : {L"h", L"h:1", L"h:65535", L"Http://h", L"https://a-b.c_d.e",
                                L"10.0.0.1:80", L"[fe80::1]", L"https://[::ffff:1.2.3.4]:1"}) {
        EXPECT_TRUE(parseServerSetting(good)) << good;
    }
    for (const wchar_t* bad :
         {L"", L"https://", L"http://:80", L"ftp://h", L"https:/h", L"https://h/", L"h/Sniplets",
          L"h:", L"h:0", L"h:65536", L"h:123456", L"h:8o", L"user@h", L"h h", L"https://h?x", L"[]",
          L"[::1", L"[g::1]", L"https://https://h"}) {
        EXPECT_FALSE(parseServerSetting(bad)) << bad;
    }
    EXPECT_TRUE(parseServerSetting(L"https://h")->secure);
    EXPECT_FALSE(parseServerSetting(L"http://h")->secure);
    EXPECT_FALSE(parseServerSetting(L"h:8080")->secure);
    EXPECT_EQ(parseServerSetting(L"HTTPS://h:8443")->authority, L"h:8443");
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
