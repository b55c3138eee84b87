#include "snipfetch/signed_index.h"

#include "snipfetch/base64.h"
#include "snipindex/index_text.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

const std::string digestA(64, 'a');
const std::string signatureLine = "signature " + std::string(86, 'A') + "==\n";

std::string indexWith(std::string_view middle) {
    return "snipfetch index 1\nsequence 7\nexpires 2026-03-01T12:30:45Z\n" + std::string(middle) +
           signatureLine;
}

std::string nameAt(std::string_view text, const IndexEntry& entry) {
    return std::string(text.substr(entry.nameOffset, entry.nameLength));
}

TEST(SignedIndexRead, ReadsEveryPartAndKeepsTheNamesInOrder) {
    const auto text = indexWith(digestA + " 12 b.snp\n" + std::string(63, '0') + "f 0 a b .snp\n");
    const auto index = readIndex(text);
    ASSERT_TRUE(index);
    EXPECT_EQ(index->sequence, 7u);
    EXPECT_EQ(dateOf(index->expires), L"2026-03-01");
    EXPECT_EQ(expiryText(index->expires), "2026-03-01T12:30:45Z");
    ASSERT_EQ(index->entries.size(), 2u);
    EXPECT_EQ(nameAt(text, index->entries[0]), "b.snp");
    EXPECT_EQ(index->entries[0].size, 12u);
    EXPECT_EQ(index->entries[0].sha256[0], 0xAA);
    EXPECT_EQ(nameAt(text, index->entries[1]), "a b .snp"); // blanks are part of the name
    EXPECT_EQ(index->entries[1].size, 0u);
    EXPECT_EQ(index->entries[1].sha256[31], 0x0F);
    EXPECT_EQ(index->signedLength, text.size() - signatureLine.size());
}

TEST(SignedIndexRead, AcceptsAnIndexOfNoSniplets) {
    const auto index = readIndex(indexWith(""));
    ASSERT_TRUE(index);
    EXPECT_TRUE(index->entries.empty());
}

TEST(SignedIndexRead, RefusesEveryTextNotInTheForm) {
    const std::string good = indexWith(digestA + " 12 b.snp\n");
    ASSERT_TRUE(readIndex(good));
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::string refused[] = {
        "",
        "\xEF\xBB\xBF" + good,                                // a byte-order mark
        replaced("snipfetch index 1", "snipfetch index 2"),   // another first line
        replaced("\n", "\r\n"),                               // a CR
        replaced("sequence 7\n", ""),                         // a missing field
        replaced("sequence 7\n", "sequence 7\nsequence 7\n"), // a repeated one
        replaced("sequence 7\nexpires 2026-03-01T12:30:45Z\n",
                 "expires 2026-03-01T12:30:45Z\nsequence 7\n"), // out of order
        replaced("sequence 7", "sequence 07"),
        replaced("sequence 7", "sequence 0"),
        replaced("sequence 7", "sequence +7"),
        replaced("sequence 7", "sequence 9007199254740993"), // 2^53 + 1
        replaced("sequence 7", "sequence  7"),
        replaced("2026-03-01T12:30:45Z", "2026-02-29T12:30:45Z"), // no such day
        replaced("2026-03-01T12:30:45Z", "2026-03-01T24:00:00Z"),
        replaced("2026-03-01T12:30:45Z", "2026-03-01 12:30:45Z"),
        replaced("2026-03-01T12:30:45Z", "2026-03-01T12:30:45+00:00"),
        replaced(digestA, std::string(63, 'a') + "A"), // an upper-case hex digit
        replaced(digestA, std::string(63, 'a')),
        replaced(" 12 ", " 012 "),
        replaced(" 12 ", "  12 "),
        replaced(" 12 b.snp", " 12 "), // an empty name
        replaced(" 12 b.snp", " 12"),
        replaced(" 12 b.snp", " 99999999999999999999 b.snp"), // past 64 bits
        replaced(" b.snp", " b\xC3.snp"),                     // not UTF-8
        good + "x",                                           // text after the signature
        good + "\n",
        good.substr(0, good.size() - 1), // no LF after the signature
        replaced("==\n", "=\n"),         // 87 characters
        replaced("AA==\n", "AB==\n"),    // not the canonical encoding
        replaced(signatureLine, ""),
        replaced(signatureLine, signatureLine + signatureLine),
    };
    for (const auto& text : refused) {
        EXPECT_FALSE(readIndex(text)) << text;
    }
}

TEST(SignedIndexRead, TakesTheLargestSequenceAndTheLastDayOfALeapYear) {
    const std::string text = "snipfetch index 1\nsequence 9007199254740992\n"
                             "expires 2028-02-29T23:59:59Z\n" +
                             signatureLine;
    const auto index = readIndex(text);
    ASSERT_TRUE(index);
    EXPECT_EQ(index->sequence, std::uint64_t{1} << 53);
    EXPECT_EQ(index->expires, 1835481599); // date -d 2028-02-29T23:59:59Z +%s
}

TEST(Base64, DecodesOnlyTheCanonicalPaddedForm) {
    EXPECT_EQ(decodeBase64("aGk="), "hi");
    EXPECT_EQ(decodeBase64("aGkh"), "hi!");
    EXPECT_EQ(decodeBase64(""), "");
    EXPECT_FALSE(decodeBase64("aGk"));  // no padding
    EXPECT_FALSE(decodeBase64("aGl=")); // left-over bits set
    EXPECT_FALSE(decodeBase64("a=k=")); // padding inside
    EXPECT_FALSE(decodeBase64("a-k_")); // the URL alphabet
    EXPECT_FALSE(decodeBase64("aGk=\n"));
}

class SignedIndexSignature : public testing::Test {
protected:
    snipindex::SigningKey key = *snipindex::SigningKey::generate();
    std::vector<snipindex::PublishedFile> files{{"a.snp", {}, 3}, {"b c.snp", {}, 0}};
};

TEST_F(SignedIndexSignature, VerifiesWithTheMakersKeyOnly) {
    const auto text = *snipindex::signedIndexText(4, 1800000000, files, key);
    const auto index = readIndex(text);
    ASSERT_TRUE(index);
    EXPECT_TRUE(isSignedBy(*index, text, key.publicPoint()));

    const auto other = *snipindex::SigningKey::generate();
    EXPECT_FALSE(isSignedBy(*index, text, other.publicPoint()));
}

TEST_F(SignedIndexSignature, FailsForAnyByteChangedInTheSignedPart) {
    const auto text = *snipindex::signedIndexText(4, 1800000000, files, key);
    const std::pair<std::string_view, std::string_view> changes[] = {
        {"sequence 4", "sequence 5"}, {"a.snp", "d.snp"}, {" 3 a", " 4 a"}, {"000", "001"}};
    for (const auto& [from, to] : changes) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        const auto index = readIndex(changed);
        ASSERT_TRUE(index) << changed;
        EXPECT_FALSE(isSignedBy(*index, changed, key.publicPoint())) << changed;
    }
}

TEST(IndexKey, DecodesAnUncompressedPointOnly) {
    const auto key = *snipindex::SigningKey::generate();
    const auto point = key.publicPoint();
    const auto base64 =
        snipindex::encodeBase64(std::string_view(reinterpret_cast<const char*>(point.data()), 65));
    EXPECT_EQ(base64.size(), 88u);
    EXPECT_EQ(decodeIndexKey(base64), point);
    EXPECT_FALSE(decodeIndexKey(base64.substr(0, 84))); // 63 bytes

    auto compressed = point;
    compressed[0] = 0x02;
    EXPECT_FALSE(decodeIndexKey(snipindex::encodeBase64(
        std::string_view(reinterpret_cast<const char*>(compressed.data()), 65))));
}

TEST(IndexKey, APointOffTheCurveVerifiesNothing) {
    const auto key = *snipindex::SigningKey::generate();
    const std::string message = "snipfetch index 1\n";
    const auto signature = *key.sign(message);
    auto point = key.publicPoint();
    ASSERT_TRUE(platform::verifyP256Signature(point, message, signature));
    point[64] ^= 1; // Y no longer fits X
    EXPECT_FALSE(platform::verifyP256Signature(point, message, signature));
}

} // namespace
} // namespace snipfetch
