#include "platform/body_framing.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(BodyFraming, OnlyOneLengthAndNoCodingFramesABody) {
    const struct {
        BodyHeaders headers;
        Framing framing;
        unsigned long long length;
    } cases[] = {
        {{{L"25"}, false, L""}, Framing::byLength, 25},
        {{{L"25", L"025"}, false, L"IDENTITY"}, Framing::byLength, 25},
        {{{}, false, L""}, Framing::noLength, 0},
        {{{L"x"}, false, L""}, Framing::unusable, 0},
        {{{L"25"}, false, L"gzip"}, Framing::unusable, 0},
        // Both taken for whole bodies until the hostile server sent them (seeds 10 and 71).
        {{{L"25", L"26"}, false, L""}, Framing::unusable, 0},
        {{{L"25"}, true, L""}, Framing::unusable, 0},
        {{{}, true, L""}, Framing::unusable, 0},
    };
    for (const auto& c : cases) {
        const auto framed = framedLength(c.headers);
        EXPECT_EQ(framed.framing, c.framing) << c.headers.contentLengths.size();
        EXPECT_EQ(framed.length, c.length);
    }
}

} // namespace
} // namespace platform
