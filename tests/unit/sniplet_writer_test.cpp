#include "snipforge/sniplet_writer.h"

#include <gtest/gtest.h>

namespace snipforge {
namespace {

Sniplet example() {
    return Sniplet{
        L"Messagebox window handle",
        L"Dozovad",
        L"This code creates a message box that shows the handle of the window.",
        {L"Msgbox CStr(*), 16, \"Window Handle\"", L"Msgbox CStr(*), 16, \"Window Handle\""},
        {L"", L""}};
}

TEST(SnipletWriter, WorkedExampleIsTwelveCrLfLines) {
    const auto encoded = encodeSniplet(example());
    ASSERT_FALSE(encoded.refusal);
    EXPECT_EQ(encoded.bytes,
              "Sniplet File\r\n"
              "Messagebox window handle\r\n"
              "Dozovad\r\n"
              "This code creates a message box that shows the handle of the window.\r\n"
              "Msgbox CStr(*), 16, \"Window Handle\"\r\n"
              "---\r\n"
              "Msgbox CStr(*), 16, \"Window Handle\"\r\n"
              "---\r\n"
              "\r\n"
              "---\r\n"
              "\r\n"
              "---\r\n");
}

TEST(SnipletWriter, AllEmptyTextsStillGiveTwelveLines) {
    const auto encoded = encodeSniplet(Sniplet{});
    EXPECT_EQ(encoded.bytes,
              "Sniplet File\r\n\r\n\r\n\r\n\r\n---\r\n\r\n---\r\n\r\n---\r\n\r\n---\r\n");
}

TEST(SnipletWriter, BlocksKeepTheirOwnLineBreaks) {
    Sniplet sniplet;
    sniplet.code[0] = L"a\r\nb\r\nc";             // no final break: three lines
    sniplet.code[1] = L"a\r\nb\r\nc\r\n";         // final break: an empty fourth line
    sniplet.moduleText[0] = L"x\r\n---x\r\n ---"; // dashes with more on their line
    sniplet.moduleText[1] = L"*";
    const auto encoded = encodeSniplet(sniplet);
    EXPECT_EQ(encoded.bytes, "Sniplet File\r\n\r\n\r\n\r\n"
                             "a\r\nb\r\nc\r\n---\r\n"
                             "a\r\nb\r\nc\r\n\r\n---\r\n"
                             "x\r\n---x\r\n ---\r\n---\r\n"
                             "*\r\n---\r\n");
}

// A line "---" would end its block early, and every block after it would shift.
TEST(SnipletWriter, RefusesADashLineAndNamesTheTextAndLine) {
    struct Case {
        std::wstring text;
        std::size_t line;
    };
    const Case cases[] = {
        {L"---", 1},       {L"---\r\nx", 1}, {L"x\r\n---", 2},      {L"x\r\n\r\n---\r\n", 3},
        {L"x\n---\ny", 2}, {L"x\r---", 2},   {L"a\r\nb\n---\r", 3}, {L"a\r\r\n---", 3},
    };
    for (const auto& [text, line] : cases) {
        for (std::size_t slot = 0; slot < 2; ++slot) {
            Sniplet sniplet;
            sniplet.moduleText[slot] = text;
            const auto encoded = encodeSniplet(sniplet);
            ASSERT_TRUE(encoded.refusal) << slot;
            EXPECT_TRUE(encoded.bytes.empty());
            EXPECT_EQ(encoded.refusal->reason, SnipletRefusal::Reason::DashLine);
            EXPECT_EQ(encoded.refusal->field,
                      slot == 0 ? SnipletField::Module16 : SnipletField::Module32);
            EXPECT_EQ(encoded.refusal->line, line) << slot;
        }
    }
    Sniplet both;
    both.code[1] = L"---";
    both.code[0] = L"1\r\n2\r\n---";
    EXPECT_EQ(encodeSniplet(both).refusal->field, SnipletField::Code16);
    EXPECT_EQ(textName(SnipletField::Code32), L"32-bit code");
    EXPECT_EQ(textName(SnipletField::Module16), L"16-bit module text");
}

TEST(SnipletWriter, RefusesLineBreaksInTheOneLineFields) {
    for (const auto* text : {L"a\r\nb", L"a\rb", L"a\nb", L"\n"}) {
        Sniplet sniplet;
        sniplet.description = text;
        const auto encoded = encodeSniplet(sniplet);
        ASSERT_TRUE(encoded.refusal);
        EXPECT_EQ(encoded.refusal->reason, SnipletRefusal::Reason::LineBreak);
        EXPECT_EQ(encoded.refusal->field, SnipletField::AboutCode);
    }
}

TEST(SnipletWriter, WritesAnsiBytesOfTheCodePage) {
    Sniplet sniplet;
    sniplet.author = L"Jos\u00e9 \u20ac"; // é is 0xE9, € is 0x80 in code page 1252
    const auto encoded = encodeSniplet(sniplet);
    ASSERT_FALSE(encoded.refusal);
    EXPECT_EQ(encoded.bytes.substr(16, 8), "Jos\xE9 \x80\r\n");
}

TEST(SnipletWriter, NamesTheFirstFieldTheCodePageCannotHold) {
    Sniplet sniplet;
    sniplet.code[1] = L"\u0416";       // Cyrillic: not in 1252
    sniplet.moduleText[0] = L"\u0100"; // Latin A with macron: no best-fit to "A"
    auto encoded = encodeSniplet(sniplet);
    ASSERT_TRUE(encoded.refusal);
    EXPECT_EQ(encoded.refusal->reason, SnipletRefusal::Reason::Unconvertible);
    EXPECT_EQ(encoded.refusal->field, SnipletField::Code32);
    EXPECT_TRUE(encoded.bytes.empty());
    EXPECT_EQ(fieldCaption(encoded.refusal->field), L"The Code, 32 bit version");

    sniplet.code[1].clear();
    encoded = encodeSniplet(sniplet);
    ASSERT_TRUE(encoded.refusal);
    EXPECT_EQ(fieldCaption(encoded.refusal->field), L"For Module, 16 bit version");
}

} // namespace
} // namespace snipforge
