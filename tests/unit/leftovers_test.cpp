#include "platform/leftovers.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Leftovers, NamesCarryTheirProcessInTheirOwnBase) {
    EXPECT_EQ(leftoverOwner(L"~staging-1234"), 1234u);
    EXPECT_EQ(leftoverOwner(L"~rf4d2-1f.tmp"), 0x4d2u);
    EXPECT_EQ(leftoverOwner(L"~rfFFFFFFFF-1.tmp"), 0xFFFFFFFFu);
}

TEST(Leftovers, AnythingElseIsNotOurs) {
    for (const auto* name :
         {L"~staging-", L"~staging-12a", L"~staging-12 ", L"staging-12", L"~rf12.tmp",
          L"~rf12-.tmp", L"~rf-1.tmp", L"~rf12-1.tmp.snp", L"~rf12-1.TMP.x", L"~rfxyz-1.tmp",
          L"~rf100000000-1.tmp", L"~staging-99999999999", L"a.snp", L""}) {
        EXPECT_FALSE(leftoverOwner(name).has_value()) << std::wstring(name).size();
    }
}

} // namespace
} // namespace platform
