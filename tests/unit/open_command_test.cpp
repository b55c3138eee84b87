#include "platform/headless/headless.h"
#include "platform/message_box.h"
#include "snipforge/main_window.h"

#include <gtest/gtest.h>

namespace snipforge {
namespace {

namespace hl = platform::headless;

const std::wstring folder = L"C:\\Tools\\Sniplets\\";
const std::wstring beepPath = folder + L"Beep.snp";
const std::string beep = "Sniplet File\r\nBeep\r\nAnn\r\nRings the bell.\r\n"
                         "Beep16 *\r\n---\r\nBeep32 *\r\nDoEvents\r\n---\r\n"
                         "Declare Beep16\r\n---\r\nDeclare Beep32\r\n\r\n---\r\n";

class OpenCommand : public ::testing::Test {
protected:
    void SetUp() override {
        hl::reset();
        hl::setApplicationFolder(L"C:\\Tools");
        hl::addFolder(L"C:\\Tools");
        hl::addFolder(folder);
        hl::addFile(beepPath, beep);
        form.load();
    }
    void TearDown() override { form.unload(); }

    platform::TextBox& box(const wchar_t* name) { return form.textBox(name); }
    void click(const wchar_t* name) { form.optionButton(name).userClicked(); }
    void openWithDialog(const std::wstring& path) {
        hl::queueOpenDialogAnswer(path);
        ASSERT_TRUE(hl::pressControlKey(form, L'O'));
    }
    // Name, author, description, the two boxes and the four buffers.
    std::vector<std::wstring> formState() {
        return {box(L"Text1").text(), box(L"Text2").text(), box(L"Text3").text(),
                box(L"Text4").text(), box(L"Text5").text(), form.codeVersion[0],
                form.codeVersion[1],  form.declVersion[0],  form.declVersion[1]};
    }

    MainWindow form;
};

TEST_F(OpenCommand, TheProgramsOnlyArgumentFillsEveryFieldAndBothVariants) {
    form.openArguments({beepPath});
    EXPECT_TRUE(hl::messages().empty());
    EXPECT_EQ(box(L"Text1").text(), L"Beep");
    EXPECT_EQ(box(L"Text2").text(), L"Ann");
    EXPECT_EQ(box(L"Text3").text(), L"Rings the bell.");
    EXPECT_EQ(box(L"Text4").text(), L"Beep32 *\r\nDoEvents");
    EXPECT_EQ(box(L"Text5").text(), L"Declare Beep32\r\n");
    EXPECT_EQ(hl::shown(box(L"Text4"))->text, L"Beep32 *\r\nDoEvents");
    click(L"optcode16");
    click(L"optde16");
    EXPECT_EQ(box(L"Text4").text(), L"Beep16 *");
    EXPECT_EQ(box(L"Text5").text(), L"Declare Beep16");
    EXPECT_EQ(form.codeVersion[1], L"Beep32 *\r\nDoEvents");
    EXPECT_EQ(form.declVersion[1], L"Declare Beep32\r\n");
}

TEST_F(OpenCommand, NoArgumentOrSeveralOpenNothing) {
    const auto before = formState();
    form.openArguments({});
    form.openArguments({beepPath, beepPath});
    EXPECT_EQ(formState(), before);
    EXPECT_TRUE(hl::messages().empty());
}

TEST_F(OpenCommand, BoxesShowTheVariantsTheirOptionsSelect) {
    click(L"optcode16");
    openWithDialog(beepPath);
    EXPECT_EQ(box(L"Text4").text(), L"Beep16 *");
    EXPECT_EQ(box(L"Text5").text(), L"Declare Beep32\r\n");
    EXPECT_EQ(form.codeVersion[0], L"Beep16 *");
    EXPECT_EQ(form.codeVersion[1], L"Beep32 *\r\nDoEvents");
}

TEST_F(OpenCommand, CtrlOAndTheSystemMenuAskForASnipletInTheSnipletsFolder) {
    openWithDialog(beepPath);
    EXPECT_EQ(box(L"Text1").text(), L"Beep");

    box(L"Text1").userEdited(L"Other");
    hl::queueAnswer(platform::answer::yes);
    hl::queueOpenDialogAnswer(beepPath);
    hl::chooseSystemMenuItem(form, L"Open sniplet...");
    EXPECT_EQ(box(L"Text1").text(), L"Beep");

    ASSERT_EQ(hl::openDialogRequests().size(), 2u);
    for (const auto& request : hl::openDialogRequests()) {
        EXPECT_EQ(request.filterName, L"Sniplets (*.snp)");
        EXPECT_EQ(request.pattern, L"*.snp");
        EXPECT_EQ(request.startFolder, folder);
    }
    EXPECT_FALSE(hl::pressControlKey(form, L'N'));
}

TEST_F(OpenCommand, CancellingTheDialogChangesNothing) {
    const auto before = formState();
    hl::queueOpenDialogAnswer(std::nullopt);
    ASSERT_TRUE(hl::pressControlKey(form, L'O'));
    EXPECT_EQ(formState(), before);
    EXPECT_TRUE(hl::messages().empty());
}

TEST_F(OpenCommand, UnsavedChangesAreDiscardedOnlyAfterAYes) {
    box(L"Text4").userEdited(L"typed code");
    const auto typed = formState();

    hl::queueAnswer(platform::answer::no);
    openWithDialog(beepPath);
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(hl::messages()[0].text,
              L"The sniplet in this window has changes that are in no file.\r\nDo you want to "
              L"discard them and open \"C:\\Tools\\Sniplets\\Beep.snp\"?");
    EXPECT_EQ(hl::messages()[0].style, platform::mb::yesNo + platform::mb::question);
    EXPECT_EQ(hl::messages()[0].title, L"Duzarudar");
    EXPECT_EQ(formState(), typed);

    hl::queueAnswer(platform::answer::yes);
    openWithDialog(beepPath);
    EXPECT_EQ(hl::messages().size(), 2u);
    EXPECT_EQ(box(L"Text1").text(), L"Beep");
    EXPECT_EQ(form.codeVersion[1], L"Beep32 *\r\nDoEvents");
}

// Changes count since the form was last opened, filled in by Example or created;
// showing the other variant changes nothing.
TEST_F(OpenCommand, NoQuestionWhenNothingChangedSinceOpenExampleOrCreate) {
    click(L"optcode16");
    click(L"optde16");
    openWithDialog(beepPath); // the prompts on show count as no change
    click(L"optcode32");
    openWithDialog(beepPath);
    form.commandButton(L"Command2").userClicked(); // Example
    openWithDialog(beepPath);
    EXPECT_TRUE(hl::messages().empty());

    box(L"Text2").userEdited(L"Bob");
    hl::queueAnswer(platform::answer::yes); // replace Beep.snp
    form.commandButton(L"Command1").userClicked();
    ASSERT_EQ(hl::messages().size(), 2u);
    EXPECT_TRUE(hl::messages()[1].text.starts_with(L"Done creating sniplet."));
    openWithDialog(beepPath);
    EXPECT_EQ(hl::messages().size(), 2u);

    // Typing the text back as it was is no change either.
    box(L"Text2").userEdited(L"Other");
    box(L"Text2").userEdited(L"Bob");
    openWithDialog(beepPath);
    EXPECT_EQ(hl::messages().size(), 2u);
}

TEST_F(OpenCommand, AnUnreadableFileIsReportedAndLeavesTheFormAsItWas) {
    box(L"Text1").userEdited(L"typed");
    const auto before = formState();
    hl::addFile(folder + L"notes.snp", "Notes\r\n");
    hl::addFile(folder + L"huge.snp", std::string(1024 * 1024 + 1, 'x'));
    const std::pair<std::wstring, std::wstring> cases[] = {
        {folder + L"gone.snp", L"File not found."},
        {L"C:\\Nowhere\\gone.snp", L"Path not found."},
        {folder + L"notes.snp", L"Line 1 is not \"Sniplet File\": this is not a sniplet file."},
        {folder + L"huge.snp", L"The file is larger than 1 MiB, which no sniplet is."},
    };
    for (const auto& [path, reason] : cases) {
        openWithDialog(path);
        ASSERT_FALSE(hl::messages().empty());
        EXPECT_EQ(hl::messages().back().text,
                  L"Could not open the sniplet.\r\nFile location: \"" + path + L"\"\r\n" + reason);
        EXPECT_EQ(hl::messages().back().style, platform::mb::critical);
        EXPECT_EQ(hl::messages().back().title, L"Duzarudar");
        EXPECT_EQ(formState(), before);
    }
    EXPECT_EQ(hl::messages().size(), 4u); // no question about the changes
}

TEST_F(OpenCommand, ADroppedFileOpensSeveralAreRefused) {
    hl::addFile(L"C:\\Desktop\\Copy.snp", beep);
    ASSERT_TRUE(hl::dropFiles(form, {L"C:\\Desktop\\Copy.snp"}));
    EXPECT_EQ(box(L"Text1").text(), L"Beep");
    EXPECT_TRUE(hl::messages().empty());

    box(L"Text1").userEdited(L"typed");
    ASSERT_TRUE(hl::dropFiles(form, {beepPath, L"C:\\Desktop\\Copy.snp"}));
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(hl::messages()[0].text, L"Drop one sniplet file at a time.");
    EXPECT_EQ(hl::messages()[0].style, platform::mb::critical);
    EXPECT_EQ(box(L"Text1").text(), L"typed");
}

// Open, change one field, Create, replace: the file differs in that field alone.
TEST_F(OpenCommand, ChangingOneFieldRewritesOnlyThatField) {
    form.openArguments({beepPath});
    click(L"optde16");
    box(L"Text5").userEdited(L"Declare Beep16 Lib \"k\"");
    hl::queueAnswer(platform::answer::yes);
    form.commandButton(L"Command1").userClicked();
    ASSERT_EQ(hl::messages().size(), 2u);
    EXPECT_EQ(hl::messages()[0].text,
              L"\"C:\\Tools\\Sniplets\\Beep.snp\" already exist. Do you want to replace it?");

    std::string expected = beep;
    expected.replace(expected.find("Declare Beep16"), 14, "Declare Beep16 Lib \"k\"");
    EXPECT_EQ(hl::fileBytes(beepPath), expected);
}

} // namespace
} // namespace snipforge
