#include "snipfetch/sniplet_head.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

using namespace std::string_literals;

std::wstring tipOf(std::string_view bytes) {
    const auto head = readSnipletHead(bytes);
    return head ? tipTextOf(*head) : L"(none)";
}

TEST(SnipletHead, ReadsTheThreeLinesAfterTheHeaderAndNothingBelow) {
    EXPECT_EQ(tipOf("Sniplet File\r\nMessagebox window handle\r\nDozovad\r\nThis code creates a "
                    "message box.\r\nMsgBox *\r\n---\r\n"),
              L"Messagebox window handle\r\nby Dozovad\r\nThis code creates a message box.");
    // LF alone ends a line too; lines the bytes never reach are empty.
    EXPECT_EQ(tipOf("Sniplet File\nName\nAuthor"), L"Name\r\nby Author\r\n");
    EXPECT_EQ(tipOf("Sniplet File"), L"\r\nby \r\n");
}

TEST(SnipletHead, OnlyTheExactHeaderMakesASnipletFile) {
    for (const auto* bytes : {"", "sniplet file\r\nA\r\nB\r\nC\r\n", "Sniplet File \r\nA\r\n",
                              "\xEF\xBB\xBFSniplet File\r\n", "Sniplet\r\nFile\r\n",
                              "<html>Sniplet File\r\n", "\r\nSniplet File\r\n"}) {
        EXPECT_FALSE(readSnipletHead(bytes)) << bytes;
    }
}

TEST(SnipletHead, DecodesValidUtf8AsUtf8AndAllElseInTheCodePage) {
    // The writer's own bytes: code page 1252 in the headless backend.
    EXPECT_EQ(tipOf("Sniplet File\r\nCaf\xE9\r\nA\r\nD\r\n"), L"Caf\u00E9\r\nby A\r\nD");
    // UTF-8 anywhere in the four lines decides for all four.
    EXPECT_EQ(tipOf("Sniplet File\r\nCaf\xC3\xA9\r\n\xD0\x96\r\nD\r\n"),
              L"Caf\u00E9\r\nby \u0416\r\nD");
    // One line that is no UTF-8 sends all four to the code page.
    EXPECT_EQ(tipOf("Sniplet File\r\nCaf\xC3\xA9\r\n\xE9\r\nD\r\n"),
              L"Caf\u00C3\u00A9\r\nby \u00E9\r\nD");
    // A sequence cut by the end of the fetched bytes is dropped, not taken as
    // a sign of the code page.
    EXPECT_EQ(tipOf("Sniplet File\r\n\xC3\xA9\r\nA\r\nend \xE2\x82"), L"\u00E9\r\nby A\r\nend ");
}

TEST(SnipletHead, RemovesControlsAndTextTurners) {
    EXPECT_EQ(tipOf("Sniplet File\r\na\tb\x01\x7F"
                    "c\r\nx\xE2\x80\xAEy\xE2\x81\xA6z\r\n"
                    "p\xC2\x85q\xE2\x80\xA8r\r\n"),
              L"abc\r\nby xyz\r\npqr");
    // A CR inside a line, as a lone one, is removed too.
    EXPECT_EQ(tipOf("Sniplet File\r\na\rb\r\n\r\n\r\n"), L"ab\r\nby \r\n");
}

TEST(SnipletHead, CutsLongLinesAt200WithAnEllipsis) {
    const std::string exact(200, 'x');
    const std::string longer(201, 'y');
    const auto head = readSnipletHead("Sniplet File\r\n" + exact + "\r\n" + longer + "\r\n\r\n");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->name, std::wstring(200, L'x'));
    EXPECT_EQ(head->author, std::wstring(199, L'y') + L"\u2026");
    // Removed characters do not count.
    const auto screened = readSnipletHead("Sniplet File\r\n" + exact + "\t\t\r\n");
    ASSERT_TRUE(screened);
    EXPECT_EQ(screened->name, std::wstring(200, L'x'));
}

} // namespace
} // namespace snipfetch
