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
}

} // namespace
} // namespace platform
