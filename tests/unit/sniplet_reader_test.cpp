#include "snipforge/sniplet_reader.h"

#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <random>

namespace snipforge {
namespace {

const std::string workedExample = "Sniplet File\r\n"
                                  "Messagebox window handle\r\n"
                                  "Dozovad\r\n"
                                  "This code creates a message box that shows the handle.\r\n"
                                  "Msgbox CStr(*), 16, \"Window Handle\"\r\n"
                                  "---\r\n"
                                  "Msgbox CStr(*), 16, \"Window Handle\"\r\n"
                                  "---\r\n"
                                  "\r\n"
                                  "---\r\n"
                                  "\r\n"
                                  "---\r\n";

class SnipletReader : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::reset(); }
    void TearDown() override { platform::headless::reset(); }
};

TEST_F(SnipletReader, ReadsTheWorkedExample) {
    const auto reading = decodeSniplet(workedExample);
    ASSERT_TRUE(reading.sniplet) << std::string(reading.refusal.begin(), reading.refusal.end());
    EXPECT_EQ(reading.sniplet->name, L"Messagebox window handle");
    EXPECT_EQ(reading.sniplet->author, L"Dozovad");
    EXPECT_EQ(reading.sniplet->code[0], L"Msgbox CStr(*), 16, \"Window Handle\"");
    EXPECT_EQ(reading.sniplet->code[1], reading.sniplet->code[0]);
    EXPECT_EQ(reading.sniplet->moduleText[0], L"");
    EXPECT_EQ(reading.sniplet->moduleText[1], L"");
}

TEST_F(SnipletReader, BlocksOfSeveralLinesKeepTheirBreaksAndCodePageBytesDecode) {
    const auto reading = decodeSniplet("Sniplet File\r\nJos\xE9\r\n\x80\r\n\r\n"
                                       "a\r\nb\r\n---\r\n"
                                       "a\r\n\r\n---\r\n"
                                       "\r\n\r\n---\r\n"
                                       "x\ry\nz\r\n---\r\n");
    ASSERT_TRUE(reading.sniplet);
    EXPECT_EQ(reading.sniplet->name, L"Jos\u00e9");
    EXPECT_EQ(reading.sniplet->author, L"\u20ac");
    EXPECT_EQ(reading.sniplet->description, L"");
    EXPECT_EQ(reading.sniplet->code[0], L"a\r\nb");
    EXPECT_EQ(reading.sniplet->code[1], L"a\r\n");
    EXPECT_EQ(reading.sniplet->moduleText[0], L"\r\n");
    EXPECT_EQ(reading.sniplet->moduleText[1], L"x\ry\nz");
}

TEST_F(SnipletReader, RefusesWhatTheWriterNeverWritesWithAReason) {
    const std::string tail = "x\r\n---\r\nx\r\n---\r\nx\r\n---\r\n";
    struct Case {
        std::string bytes;
        std::wstring reason;
    };
    const Case cases[] = {
        {"", L"Line 1 is not \"Sniplet File\": this is not a sniplet file."},
        {"sniplet file\r\nn\r\na\r\nd\r\nx\r\n---\r\n" + tail,
         L"Line 1 is not \"Sniplet File\": this is not a sniplet file."},
        {"\xEF\xBB\xBFSniplet File\r\nn\r\na\r\nd\r\nx\r\n---\r\n" + tail,
         L"Line 1 is not \"Sniplet File\": this is not a sniplet file."},
        {"Sniplet File\nn\na\nd\nx\n---\n",
         L"Line 1 is not \"Sniplet File\": this is not a sniplet file."},
        {"Sniplet File\r\nn\r\na\r\n", L"The file ends before line 4, the description."},
        {"Sniplet File\r\nn\r\na\r\nd\r\n", L"The 16-bit code has no \"---\" line after it."},
        {"Sniplet File\r\nn\r\na\r\nd\r\nx\r\n---\r\nx\r\n---\r\nx\r\n---\r\nx\r\n",
         L"The 32-bit module text has no \"---\" line after it."},
        {"Sniplet File\r\nn\r\na\r\nd\r\nx\r\n---\r\nx\r\n---\r\nx\r\n---\r\nx\r\n--",
         L"The 32-bit module text has no \"---\" line after it."},
        {"Sniplet File\r\nn\r\na\r\nd\r\nx\r\n---\r\n---\r\n" + tail,
         L"The 32-bit code has no line before its \"---\" line (line 7)."},
        {"Sniplet File\r\nn\r\na\r\nd\r\nx\r\n---\r\n" + tail + "\r\n",
         L"Text follows the last \"---\" line, on line 13."},
        {"Sniplet File\r\nn\r\na\r\nd\r\nx\r\n---\r\n" + tail + "---\r\n",
         L"Text follows the last \"---\" line, on line 13."},
        {"Sniplet File\r\nn\r\na\r\nd\r\nx\r\n---\r\n" + tail.substr(0, tail.size() - 2),
         L"The last \"---\" line has no line break after it."},
        {"Sniplet File\r\nn\r\na\r\nd\r\nx\n---\r\n---\r\n" + tail,
         L"The 16-bit code holds a line that is exactly \"---\" (its line 2), between a lone "
         L"carriage return or line feed."},
        {"Sniplet File\r\nn\r\na\rb\r\nd\r\nx\r\n---\r\n" + tail,
         L"The Author line holds a lone carriage return or line feed."},
        {"Sniplet File\r\nn\r\na\r\nd\r\nx\r\n---\r\n" + tail + std::string("\0", 1),
         L"Text follows the last \"---\" line, on line 13."},
    };
    for (const auto& [bytes, reason] : cases) {
        const auto reading = decodeSniplet(bytes);
        EXPECT_FALSE(reading.sniplet) << bytes;
        EXPECT_EQ(reading.refusal, reason) << bytes;
    }
}

TEST_F(SnipletReader, RefusesBytesThatAreNoTextOfTheCodePage) {
    platform::headless::setUndecodableBytes("\x81");
    EXPECT_EQ(decodeSniplet("Sniplet File\r\nn\r\na\x81\r\nd\r\nx\r\n---\r\nx\r\n---\r\nx\r\n---"
                            "\r\nx\r\n---\r\n")
                  .refusal,
              L"Line 3 holds bytes that are not text of this system's code page.");
    EXPECT_EQ(decodeSniplet("Sniplet File\r\nn\r\na\r\nd\r\nx\r\n---\r\nx\r\n---\r\nx\r\n\x81\r\n"
                            "---\r\nx\r\n---\r\n")
                  .refusal,
              L"Line 10 holds bytes that are not text of this system's code page.");
}

TEST_F(SnipletReader, RefusesFilesOverOneMebibyteButNotAtIt) {
    const std::string head = "Sniplet File\r\nn\r\na\r\nd\r\n";
    const std::string tail = "\r\n---\r\nx\r\n---\r\nx\r\n---\r\nx\r\n---\r\n";
    const auto withCode = [&](std::size_t codeBytes) {
        return head + std::string(codeBytes, 'c') + tail;
    };
    const std::string largest = withCode(largestSnipletFile - head.size() - tail.size());
    ASSERT_EQ(largest.size(), largestSnipletFile);
    EXPECT_TRUE(decodeSniplet(largest).sniplet);
    EXPECT_EQ(decodeSniplet(withCode(largestSnipletFile - head.size() - tail.size() + 1)).refusal,
              L"The file is larger than 1 MiB, which no sniplet is.");
}

// Sniplets made of the pieces a reader could trip over: line breaks of every
// kind, dashes, blanks, code page characters and empty texts.
std::wstring randomText(std::mt19937& random) {
    static const wchar_t* const pieces[] = {L"\r\n",   L"\r",     L"\n", L"-",      L"---", L"a",
                                            L"\u00e9", L"\u20ac", L" ",  L"\u0081", L"*",   L""};
    std::wstring text;
    const auto count = std::uniform_int_distribution<int>(0, 6)(random);
    for (int i = 0; i < count; ++i) {
        text +=
            pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
    }
    return text;
}

TEST_F(SnipletReader, ReadsBackEveryWrittenSnipletAndWritesTheSameBytes) {
    std::mt19937 random(26);
    int written = 0;
    for (int round = 0; round < 20000; ++round) {
        const Sniplet sniplet{randomText(random),
                              randomText(random),
                              randomText(random),
                              {randomText(random), randomText(random)},
                              {randomText(random), randomText(random)}};
        const auto encoded = encodeSniplet(sniplet);
        if (encoded.refusal) {
            continue;
        }
        ++written;
        const auto reading = decodeSniplet(encoded.bytes);
        ASSERT_TRUE(reading.sniplet) << encoded.bytes;
        ASSERT_EQ(*reading.sniplet, sniplet) << encoded.bytes;
        ASSERT_EQ(encodeSniplet(*reading.sniplet).bytes, encoded.bytes);
    }
    // The pieces are drawn so that many sniplets are written, not only refused.
    EXPECT_GT(written, 1000);
}

} // namespace
} // namespace snipforge
