#include "platform/headless/headless.h"
#include "snipforge/main_window.h"

#include <gtest/gtest.h>

namespace snipforge {
namespace {

const std::wstring codePrompt = L"Paste the code here.  Put *'s in the places where \r\n"
                                L"the window handle variable should appear.\r\n";
const std::wstring modulePrompt = L"Paste anything here the user may need to put in \r\n"
                                  L"their module.  If nothing is needed then delete this text.\r\n";
const std::wstring exampleLine = L"Msgbox CStr(*), 16, \"Window Handle\"";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::reset();
        form.load();
    }
    void TearDown() override { form.unload(); }

    platform::TextBox& box(const wchar_t* name) { return form.textBox(name); }
    platform::OptionButton& option(const wchar_t* name) { return form.optionButton(name); }
    void click(const wchar_t* name) { option(name).userClicked(); }

    MainWindow form;
};

TEST_F(MainWindowTest, StartsWithPromptsSelectedThirtyTwoBitAndEmptyBuffers) {
    EXPECT_EQ(box(L"Text1").text(), L"Name of code here");
    EXPECT_EQ(box(L"Text2").text(), L"Your name");
    EXPECT_EQ(box(L"Text3").text(), L"About the code");
    EXPECT_EQ(box(L"Text4").text(), codePrompt);
    EXPECT_EQ(box(L"Text5").text(), modulePrompt);
    EXPECT_TRUE(option(L"optcode32").value());
    EXPECT_FALSE(option(L"optcode16").value());
    EXPECT_TRUE(option(L"optde32").value());
    EXPECT_FALSE(option(L"optde16").value());
    for (const auto& slot : form.codeVersion) {
        EXPECT_EQ(slot, L"");
    }
    for (const auto& slot : form.declVersion) {
        EXPECT_EQ(slot, L"");
    }
    // The peer shows what the model holds.
    EXPECT_EQ(platform::headless::shown(box(L"Text4"))->text, codePrompt);
}

TEST_F(MainWindowTest, TypingWithoutSwitchingStoresTheWholeBoxInTheThirtyTwoBitSlot) {
    box(L"Text4").userEdited(codePrompt + L"Beep");
    EXPECT_EQ(form.codeVersion[1], codePrompt + L"Beep");
    EXPECT_EQ(form.codeVersion[0], L"");
    box(L"Text5").userEdited(L"Declare x");
    EXPECT_EQ(form.declVersion[1], L"Declare x");
    EXPECT_EQ(form.declVersion[0], L"");
}

TEST_F(MainWindowTest, SwitchingToSixteenBitAtStartEmptiesTheBoxAndThePromptIsGone) {
    click(L"optcode16");
    EXPECT_TRUE(option(L"optcode16").value());
    EXPECT_FALSE(option(L"optcode32").value());
    EXPECT_EQ(box(L"Text4").text(), L"");
    EXPECT_EQ(platform::headless::shown(box(L"Text4"))->text, L"");
    click(L"optcode32");
    EXPECT_EQ(box(L"Text4").text(), L"");
    EXPECT_EQ(form.codeVersion[0], L"");
    EXPECT_EQ(form.codeVersion[1], L"");
    // The module pair is a group of its own and untouched.
    EXPECT_TRUE(option(L"optde32").value());
    EXPECT_EQ(box(L"Text5").text(), modulePrompt);
}

TEST_F(MainWindowTest, BothVariantsSurviveSwitchingBackAndForth) {
    click(L"optcode16");
    box(L"Text4").userEdited(L"sixteen\r\n");
    click(L"optcode32");
    EXPECT_EQ(box(L"Text4").text(), L"");
    box(L"Text4").userEdited(L"thirty-two");
    click(L"optcode16");
    EXPECT_EQ(box(L"Text4").text(), L"sixteen\r\n");
    click(L"optcode32");
    EXPECT_EQ(box(L"Text4").text(), L"thirty-two");
    EXPECT_EQ(form.codeVersion[0], L"sixteen\r\n");
    EXPECT_EQ(form.codeVersion[1], L"thirty-two");

    click(L"optde16");
    box(L"Text5").userEdited(L"m16");
    click(L"optde32");
    box(L"Text5").userEdited(L"m32");
    click(L"optde16");
    EXPECT_EQ(box(L"Text5").text(), L"m16");
    EXPECT_EQ(form.declVersion[0], L"m16");
    EXPECT_EQ(form.declVersion[1], L"m32");
}

TEST_F(MainWindowTest, ClearingABoxStoresTheEmptyText) {
    box(L"Text4").userEdited(L"x");
    box(L"Text4").userEdited(L"");
    EXPECT_EQ(form.codeVersion[1], L"");
}

TEST_F(MainWindowTest, ExampleFillsBothCodeSlotsAndEmptiesTheModuleSlotsOnly) {
    click(L"optcode16");
    box(L"Text5").userEdited(L"old module text");
    form.commandButton(L"Command2").userClicked();
    EXPECT_EQ(box(L"Text1").text(), L"Messagebox window handle");
    EXPECT_EQ(box(L"Text2").text(), L"Dozovad");
    EXPECT_EQ(box(L"Text3").text(),
              L"This code creates a message box that shows the handle of the window.");
    EXPECT_EQ(box(L"Text4").text(), exampleLine);
    EXPECT_EQ(form.codeVersion[0], exampleLine);
    EXPECT_EQ(form.codeVersion[1], exampleLine);
    EXPECT_EQ(form.declVersion[0], L"");
    EXPECT_EQ(form.declVersion[1], L"");
    // Text5 still shows what it showed; the options are untouched.
    EXPECT_EQ(box(L"Text5").text(), L"old module text");
    EXPECT_TRUE(option(L"optcode16").value());
    // The module box shows the empty buffer once an option is clicked.
    click(L"optde16");
    EXPECT_EQ(box(L"Text5").text(), L"");
}

TEST_F(MainWindowTest, ExampleTwiceStillSetsBothSlotsWhenTheBoxDoesNotChange) {
    form.commandButton(L"Command2").userClicked();
    form.codeVersion = {L"a", L"b"};
    form.commandButton(L"Command2").userClicked(); // Text4 already holds the line: no Change
    EXPECT_EQ(form.codeVersion[0], exampleLine);
    EXPECT_EQ(form.codeVersion[1], exampleLine);
}

TEST_F(MainWindowTest, LoadingAgainShowsTheDesignedStateOfTheControls) {
    box(L"Text1").userEdited(L"changed");
    click(L"optde16");
    form.unload();
    form.load();
    EXPECT_EQ(box(L"Text1").text(), L"Name of code here");
    EXPECT_TRUE(option(L"optde32").value());
    EXPECT_FALSE(option(L"optde16").value());
}

} // namespace
} // namespace snipforge
