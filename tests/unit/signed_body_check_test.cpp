#include "snipfetch/signed_body_check.h"

#include "platform/headless/headless.h"
#include "snipfetch/sequence_record.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

struct Collected : platform::ByteSink {
    std::string bytes;
    platform::Status append(std::string_view more) override {
        bytes.append(more);
        return {};
    }
};

platform::Sha256Digest digestOf(std::string_view bytes) {
    platform::Sha256 hash;
    hash.add(bytes);
    return *hash.finish();
}

TEST(Sha256, GivesTheKnownDigestWhateverThePieces) {
    // FIPS 180-2's example "abc".
    const platform::Sha256Digest abc = {0xba, 0x78, 0x16, 0xbf, 0x8f, 0x01, 0xcf, 0xea,
                                        0x41, 0x41, 0x40, 0xde, 0x5d, 0xae, 0x22, 0x23,
                                        0xb0, 0x03, 0x61, 0xa3, 0x96, 0x17, 0x7a, 0x9c,
                                        0xb4, 0x10, 0xff, 0x61, 0xf2, 0x00, 0x15, 0xad};
    EXPECT_EQ(digestOf("abc"), abc);
    platform::Sha256 pieces;
    pieces.add("a");
    pieces.add("");
    pieces.add("bc");
    EXPECT_EQ(pieces.finish(), abc);
}

TEST(SignedBodyCheck, PassesTheBodyOnAndMatchesTheSignedFile) {
    Collected file;
    SignedBodyCheck check(digestOf("hello world"), 11, file);
    EXPECT_TRUE(check.append("hello ").ok());
    EXPECT_TRUE(check.append("world").ok());
    EXPECT_TRUE(check.matches());
    EXPECT_EQ(file.bytes, "hello world");
}

TEST(SignedBodyCheck, StopsABodyThatRunsPastItsSizeAtThatPiece) {
    Collected file;
    SignedBodyCheck check(digestOf("hello"), 5, file);
    EXPECT_TRUE(check.append("hel").ok());
    EXPECT_EQ(check.append("lo!").error, bodyPastItsSize);
    EXPECT_TRUE(check.differs());
    EXPECT_EQ(file.bytes, "hel"); // the piece that ran past was not passed on
    EXPECT_FALSE(check.append("").ok());
    EXPECT_FALSE(check.matches());
}

TEST(SignedBodyCheck, RefusesAShortBodyAndOneOfTheRightSizeWithOtherBytes) {
    Collected file;
    SignedBodyCheck shortBody(digestOf("hello"), 5, file);
    shortBody.append("hell");
    EXPECT_FALSE(shortBody.matches());
    EXPECT_TRUE(shortBody.differs());

    SignedBodyCheck changed(digestOf("hello"), 5, file);
    EXPECT_TRUE(changed.append("jello").ok());
    EXPECT_FALSE(changed.matches());
}

TEST(SignedBodyCheck, AnEmptyFileMatchesOnlyAnEmptyBody) {
    Collected file;
    SignedBodyCheck empty(digestOf(""), 0, file);
    EXPECT_TRUE(empty.matches());
    SignedBodyCheck notEmpty(digestOf(""), 0, file);
    EXPECT_FALSE(notEmpty.append("x").ok());
}

class SequenceRecord : public testing::Test {
protected:
    void SetUp() override {
        platform::headless::reset();
        platform::headless::addFolder(L"Sniplets");
    }
    const std::wstring record = std::wstring(L"Sniplets\\") + sequenceRecordName;
};

TEST_F(SequenceRecord, KeepsTheHighestSequenceInAHiddenFile) {
    EXPECT_EQ(recordedSequence(L"Sniplets"), 0u);
    recordSequence(L"Sniplets", 5);
    EXPECT_EQ(recordedSequence(L"Sniplets"), 5u);
    EXPECT_TRUE(platform::headless::fileAttributes(record) & platform::headless::attr::hidden);
    recordSequence(L"Sniplets", 3); // never lowered
    EXPECT_EQ(recordedSequence(L"Sniplets"), 5u);
    recordSequence(L"Sniplets", std::uint64_t{1} << 53);
    EXPECT_EQ(recordedSequence(L"Sniplets"), std::uint64_t{1} << 53);
}

TEST_F(SequenceRecord, AnUnreadableRecordCountsAsNone) {
    for (const std::string text : {"", "5", "05\n", "5x\n", "\n", "99999999999999999999\n"}) {
        platform::headless::addFile(record, text, platform::headless::attr::hidden);
        EXPECT_EQ(recordedSequence(L"Sniplets"), 0u) << text;
    }
    recordSequence(L"Sniplets", 2); // and is replaced by the next one
    EXPECT_EQ(platform::headless::fileBytes(record), "2\n");
}

} // namespace
} // namespace snipfetch
