#include "snipfetch/index_body.h"

#include "snipfetch/signed_index.h"
#include "snipindex/index_text.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

platform::Sha256Digest digestOf(std::string_view bytes) {
    platform::Sha256 hash;
    hash.add(bytes);
    return *hash.finish();
}

// The text fed in pieces of `size` bytes.
void feed(IndexBody& body, std::string_view text, std::size_t size) {
    for (std::size_t at = 0; at < text.size(); at += size) {
        ASSERT_TRUE(body.append(text.substr(at, size)).ok());
    }
}

TEST(IndexBody, ReadsAndHashesTheIndexWhateverThePiecesAndKeepsTheWholeText) {
    auto key = *snipindex::SigningKey::generate();
    const std::vector<snipindex::PublishedFile> files = {{"a.snp", digestOf("a"), 1},
                                                         {"b c.snp", digestOf(""), 0}};
    const auto text = *snipindex::signedIndexText(3, 1767225600, files, key);
    const auto index = readIndex(text);
    ASSERT_TRUE(index);
    const auto expected = digestOf(std::string_view(text).substr(0, index->signedLength));
    // One byte at a time puts every line feed at a piece's start and end.
    for (const std::size_t size : {std::size_t{1}, std::size_t{2}, std::size_t{7}, text.size()}) {
        IndexBody body(largestIndex);
        body.expect(text.size());
        feed(body, text, size);
        EXPECT_EQ(body.text(), text) << size;
        const auto streamed = body.index();
        ASSERT_TRUE(streamed) << size;
        EXPECT_EQ(streamed->sequence, 3u);
        EXPECT_EQ(streamed->signedLength, index->signedLength);
        EXPECT_EQ(streamed->signature, index->signature);
        ASSERT_EQ(streamed->entries.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            const auto& entry = streamed->entries[i];
            EXPECT_EQ(text.substr(entry.nameOffset, entry.nameLength), files[i].name);
            EXPECT_EQ(entry.sha256, files[i].sha256);
            EXPECT_EQ(entry.size, files[i].size);
        }
        EXPECT_EQ(body.digestOf(index->signedLength), expected) << size;
        EXPECT_TRUE(isSignedBy(*index, expected, key.publicPoint()));
    }
    // Read as it came, a body is an index exactly when readIndex says so.
    for (const auto& other :
         {text.substr(0, text.size() - 1), text + "x", text + "\n", "\xEF\xBB\xBF" + text}) {
        IndexBody body(largestIndex);
        feed(body, other, 3);
        EXPECT_FALSE(readIndex(other));
        EXPECT_FALSE(body.index()) << other;
    }
}

TEST(IndexBody, GivesNoDigestOfAPartTheHashWentPast) {
    // Text after the signature's line: the hash has taken that line already.
    IndexBody body(largestIndex);
    feed(body, "head\nsignature x\nmore\n", 5);
    EXPECT_EQ(body.digestOf(5), std::nullopt);
    IndexBody whole(100);
    feed(whole, "head\nlast\n", 3);
    EXPECT_EQ(whole.digestOf(5), digestOf("head\n"));
    IndexBody shortText(100);
    feed(shortText, "head\n", 5);
    EXPECT_EQ(shortText.digestOf(6), std::nullopt); // more than there is
}

TEST(IndexBody, RefusesABodyPastItsLimit) {
    IndexBody announced(largestIndex);
    announced.expect(largestIndex + 1ull);
    EXPECT_FALSE(announced.append("x").ok());
    EXPECT_TRUE(announced.tooLarge());

    // Without a length, at the byte that runs past it; nothing more is kept.
    IndexBody body(1000);
    const std::string piece(100, 'x'); // one line that never ends
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(body.append(piece).ok());
    }
    EXPECT_FALSE(body.tooLarge());
    EXPECT_FALSE(body.append("y").ok());
    EXPECT_TRUE(body.tooLarge());
    EXPECT_EQ(body.text().size(), 1000u);
}

} // namespace
} // namespace snipfetch
