#include "platform/redirect.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

const std::wstring secure = L"https://h:8443/Sniplets/a.snp?v=1";

TEST(Redirect, FollowsReferencesOfEveryForm) {
    EXPECT_EQ(redirectTarget(secure, L"https://other/b.snp"), L"https://other/b.snp");
    EXPECT_EQ(redirectTarget(secure, L"//mirror/b.snp"), L"https://mirror/b.snp");
    EXPECT_EQ(redirectTarget(secure, L"/Moved/b.snp"), L"https://h:8443/Moved/b.snp");
    EXPECT_EQ(redirectTarget(secure, L"b.snp?x"), L"https://h:8443/Sniplets/b.snp?x");
    EXPECT_EQ(redirectTarget(L"http://h", L"b.snp"), L"http://h/b.snp");
    EXPECT_EQ(redirectTarget(L"http://h/a?q=/x/", L"b"), L"http://h/b");
    EXPECT_EQ(redirectTarget(secure, L" /b.snp#part "), L"https://h:8443/b.snp");
    // Found by fuzzing: blanks before a fragment were kept in the path.
    EXPECT_EQ(redirectTarget(secure, L"b.snp #part"), L"https://h:8443/Sniplets/b.snp");
}

TEST(Redirect, NeverLeavesHttpsNorHttp) {
    EXPECT_EQ(redirectTarget(L"http://h/a", L"http://other/b"), L"http://other/b");
    EXPECT_EQ(redirectTarget(L"http://h/a", L"HTTPS://other/b"), L"HTTPS://other/b");
    for (const wchar_t* refused :
         {L"http://h/b", L"HTTP://h/b", L"ftp://h/b", L"file:///C:/b", L"javascript:alert(1)",
          L"https:/b", L"https:b", L"https://", L"https:///b", L"///b", L"", L"#only"}) {
        EXPECT_EQ(redirectTarget(secure, refused), std::nullopt) << refused;
    }
    EXPECT_EQ(redirectTarget(L"http://h/a", L"ftp://h/b"), std::nullopt);
    // A control character would go into the request line.
    EXPECT_EQ(redirectTarget(secure, L"/b\r\nHost: other"), std::nullopt);
    EXPECT_EQ(redirectTarget(secure, L"/b\x7f"), std::nullopt);
}

// RFC 3986 section 5.4, normal and abnormal examples, with the fragment dropped.
// Nothing where the client stays: no http host ("g:h", "http:g"), or back to the
// base itself ("", "#s").
TEST(Redirect, ResolvesTheExamplesOfRfc3986) {
    const std::wstring base = L"http://a/b/c/d;p?q";
    const struct {
        const wchar_t* reference;
        std::optional<std::wstring> target;
    } examples[] = {
        {L"g:h", std::nullopt},
        {L"g", L"http://a/b/c/g"},
        {L"./g", L"http://a/b/c/g"},
        {L"g/", L"http://a/b/c/g/"},
        {L"/g", L"http://a/g"},
        {L"//g", L"http://g"},
        {L"?y", L"http://a/b/c/d;p?y"},
        {L"g?y", L"http://a/b/c/g?y"},
        {L"#s", std::nullopt},
        {L"g#s", L"http://a/b/c/g"},
        {L"g?y#s", L"http://a/b/c/g?y"},
        {L";x", L"http://a/b/c/;x"},
        {L"g;x", L"http://a/b/c/g;x"},
        {L"g;x?y#s", L"http://a/b/c/g;x?y"},
        {L"", std::nullopt},
        {L".", L"http://a/b/c/"},
        {L"./", L"http://a/b/c/"},
        {L"..", L"http://a/b/"},
        {L"../", L"http://a/b/"},
        {L"../g", L"http://a/b/g"},
        {L"../..", L"http://a/"},
        {L"../../", L"http://a/"},
        {L"../../g", L"http://a/g"},
        // Abnormal examples (section 5.4.2).
        {L"../../../g", L"http://a/g"},
        {L"../../../../g", L"http://a/g"},
        {L"/./g", L"http://a/g"},
        {L"/../g", L"http://a/g"},
        {L"g.", L"http://a/b/c/g."},
        {L".g", L"http://a/b/c/.g"},
        {L"g..", L"http://a/b/c/g.."},
        {L"..g", L"http://a/b/c/..g"},
        {L"./../g", L"http://a/b/g"},
        {L"./g/.", L"http://a/b/c/g/"},
        {L"g/./h", L"http://a/b/c/g/h"},
        {L"g/../h", L"http://a/b/c/h"},
        {L"g;x=1/./y", L"http://a/b/c/g;x=1/y"},
        {L"g;x=1/../y", L"http://a/b/c/y"},
        {L"g?y/./x", L"http://a/b/c/g?y/./x"},
        {L"g?y/../x", L"http://a/b/c/g?y/../x"},
        {L"g#s/./x", L"http://a/b/c/g"},
        {L"g#s/../x", L"http://a/b/c/g"},
        {L"http:g", std::nullopt},
    };
    for (const auto& example : examples) {
        EXPECT_EQ(redirectTarget(base, example.reference), example.target) << example.reference;
    }
}

} // namespace
} // namespace platform
