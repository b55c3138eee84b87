#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Utf8, RejectsWhatIsNotWellFormed) {
    EXPECT_FALSE(decodeUtf8("\x80"));             // continuation without a lead
    EXPECT_FALSE(decodeUtf8("\xE2\x82"));         // cut short
    EXPECT_FALSE(decodeUtf8("\xE0\x80\x80"));     // overlong
    EXPECT_FALSE(decodeUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(decodeUtf8("\xC3\x28"));         // bad continuation
    EXPECT_EQ(decodeUtf8("\xF4\x8F\xBF\xBF"), std::wstring(L"\U0010FFFF"));
}

TEST(Utf8, EncodesEveryPlaneAndReplacesLoneSurrogates) {
    EXPECT_EQ(encodeUtf8(L"a\u00E9\u20AC\U0001F600"), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    const std::wstring lone(1, static_cast<wchar_t>(0xD800));
    EXPECT_EQ(encodeUtf8(lone + L"x"), "\xEF\xBF\xBDx");
}

} // namespace
} // namespace platform
