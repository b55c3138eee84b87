#include "platform/decimal_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace platform {
namespace {

TEST(DecimalText, WritesWhatToWstringWrites) {
    EXPECT_EQ(decimalText(0), L"0");
    EXPECT_EQ(decimalText(12029UL), L"12029");
    EXPECT_EQ(decimalText(-404), L"-404");
    EXPECT_EQ(decimalText(std::numeric_limits<long long>::min()),
              std::to_wstring(std::numeric_limits<long long>::min()));
    EXPECT_EQ(decimalText(std::numeric_limits<unsigned long long>::max()),
              std::to_wstring(std::numeric_limits<unsigned long long>::max()));
}

} // namespace
} // namespace platform
