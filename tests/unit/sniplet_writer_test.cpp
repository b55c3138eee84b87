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
    ASSERT_FALSE(encoded.unconvertible);
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

TEST(SnipletWriter, BlocksKeepTheirOwnLineBreaksAndDashLines) {
    Sniplet sniplet;
    sniplet.code[0] = L"a\r\nb\r\nc";         // no final break: three lines
    sniplet.code[1] = L"a\r\nb\r\nc\r\n";     // final break: an empty fourth line
    sniplet.moduleText[0] = L"x\r\n---\r\ny"; // a dash line inside is written unchanged
    sniplet.moduleText[1] = L"*";
    const auto encoded = encodeSniplet(sniplet);
    EXPECT_EQ(encoded.bytes, "Sniplet File\r\n\r\n\r\n\r\n"
                             "a\r\nb\r\nc\r\n---\r\n"
                             "a\r\nb\r\nc\r\n\r\n---\r\n"
                             "x\r\n---\r\ny\r\n---\r\n"
                             "*\r\n---\r\n");
}

TEST(SnipletWriter, WritesAnsiBytesOfTheCodePage) {
    Sniplet sniplet;
    sniplet.author = L"Jos\u00e9 \u20ac"; // é is 0xE9, € is 0x80 in code page 1252
    const auto encoded = encodeSniplet(sniplet);
    ASSERT_FALSE(encoded.unconvertible);
    EXPECT_EQ(encoded.bytes.substr(16, 8), "Jos\xE9 \x80\r\n");
}

TEST(SnipletWriter, NamesTheFirstFieldTheCodePageCannotHold) {
    Sniplet sniplet;
    sniplet.code[1] = L"\u0416";       // Cyrillic: not in 1252
    sniplet.moduleText[0] = L"\u0100"; // Latin A with macron: no best-fit to "A"
    auto encoded = encodeSniplet(sniplet);
    ASSERT_TRUE(encoded.unconvertible);
    EXPECT_EQ(*encoded.unconvertible, SnipletField::Code32);
    EXPECT_TRUE(encoded.bytes.empty());
    EXPECT_EQ(fieldCaption(*encoded.unconvertible), L"The Code, 32 bit version");

    sniplet.code[1].clear();
    encoded = encodeSniplet(sniplet);
    ASSERT_TRUE(encoded.unconvertible);
    EXPECT_EQ(fieldCaption(*encoded.unconvertible), L"For Module, 16 bit version");
}

} // namespace
} // namespace snipforge
