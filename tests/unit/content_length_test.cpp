#include "platform/content_length.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(ContentLength, DigitsWithin64BitsAndNothingElse) {
    EXPECT_EQ(parseContentLength(L"0"), 0u);
    EXPECT_EQ(parseContentLength(L"0042"), 42u);
    EXPECT_EQ(parseContentLength(L"18446744073709551615"), 18446744073709551615u);
    for (const wchar_t* refused : {L"", L"18446744073709551616", L"99999999999999999999", L"-1",
                                   L"+1", L" 1", L"1 ", L"5, 5", L"0x10", L"\u0661"}) {
        EXPECT_EQ(parseContentLength(refused), std::nullopt) << refused;
    }
}

} // namespace
} // namespace platform
