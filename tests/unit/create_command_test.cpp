#include "platform/headless/headless.h"
#include "platform/message_box.h"
#include "snipforge/main_window.h"

#include <gtest/gtest.h>

namespace snipforge {
namespace {

namespace hl = platform::headless;

const std::wstring folder = L"C:\\Tools\\Sniplets";
const std::string startFile = "Sniplet File\r\nName of code here\r\nYour name\r\nAbout the code\r\n"
                              "\r\n---\r\n\r\n---\r\n\r\n---\r\n\r\n---\r\n";

class CreateCommand : public ::testing::Test {
protected:
    void SetUp() override {
        hl::reset();
        hl::setApplicationFolder(L"C:\\Tools");
        hl::addFolder(L"C:\\Tools");
        form.load();
    }
    void TearDown() override { form.unload(); }

    void create() { form.commandButton(L"Command1").userClicked(); }
    void name(const std::wstring& text) { form.textBox(L"Text1").userEdited(text); }
    const hl::Message& lastMessage() {
        EXPECT_FALSE(hl::messages().empty());
        return hl::messages().back();
    }

    MainWindow form;
};

TEST_F(CreateCommand, RightAfterStartWritesTheFieldsAndEmptyBuffersNotThePrompts) {
    create();
    EXPECT_EQ(hl::fileBytes(folder + L"\\Name of code here.snp"), startFile);
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text,
              L"Done creating sniplet.\r\nFile location: \"C:\\Tools\\Sniplets\\Name of code "
              L"here.snp\"");
    EXPECT_EQ(lastMessage().style, 32);
    EXPECT_EQ(lastMessage().title, L"Duzarudar");
}

TEST_F(CreateCommand, ADriveRootGivesNoDoubledBackslash) {
    hl::setApplicationFolder(L"C:\\");
    name(L"Beep");
    create();
    EXPECT_TRUE(hl::fileExists(L"C:\\Sniplets\\Beep.snp"));
    EXPECT_EQ(lastMessage().text,
              L"Done creating sniplet.\r\nFile location: \"C:\\Sniplets\\Beep.snp\"");
}

TEST_F(CreateCommand, PathsAreRebuiltOnEveryClickAndTheNameIsNotTrimmed) {
    name(L" Beep ");
    create();
    EXPECT_TRUE(hl::fileExists(folder + L"\\ Beep .snp"));
    name(L"Other");
    create();
    EXPECT_EQ(hl::fileBytes(folder + L"\\Other.snp").substr(0, 21), "Sniplet File\r\nOther\r\n");
}

TEST_F(CreateCommand, WritesTheBuffersOfBothVariantsWhateverTheBoxesShow) {
    form.optionButton(L"optcode16").userClicked();
    form.textBox(L"Text4").userEdited(L"c16");
    form.optionButton(L"optcode32").userClicked();
    form.textBox(L"Text4").userEdited(L"c32");
    form.optionButton(L"optde16").userClicked();
    form.textBox(L"Text5").userEdited(L"d16");
    name(L"Both");
    create();
    EXPECT_EQ(hl::fileBytes(folder + L"\\Both.snp"),
              "Sniplet File\r\nBoth\r\nYour name\r\nAbout the code\r\n"
              "c16\r\n---\r\nc32\r\n---\r\nd16\r\n---\r\n\r\n---\r\n");
}

TEST_F(CreateCommand, OverwriteQuestionNoLeavesTheFileAndEndsQuietly) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\Name of code here.snp", "old");
    hl::queueAnswer(platform::answer::no);
    create();
    EXPECT_EQ(hl::fileBytes(folder + L"\\Name of code here.snp"), "old");
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text, L"\"C:\\Tools\\Sniplets\\Name of code here.snp\" already exist. "
                                  L"Do you want to replace it?");
    EXPECT_EQ(lastMessage().style, 20);
    EXPECT_EQ(lastMessage().title, L"Duzarudar");
}

TEST_F(CreateCommand, OverwriteQuestionYesReplacesTheWholeFile) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\Name of code here.snp", std::string(500, 'x'));
    hl::queueAnswer(platform::answer::yes);
    create();
    EXPECT_EQ(hl::fileBytes(folder + L"\\Name of code here.snp"), startFile);
    ASSERT_EQ(hl::messages().size(), 2u);
    EXPECT_EQ(lastMessage().style, 32);
}

TEST_F(CreateCommand, AsksAlsoForHiddenSystemFilesAndOtherLetterCase) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\NAME OF CODE HERE.SNP", "old", hl::attr::hidden | hl::attr::system);
    hl::queueAnswer(platform::answer::no);
    create();
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(lastMessage().style, 20);
}

TEST_F(CreateCommand, RefusesNamesThatCannotBeAFileNameBeforeAnythingElse) {
    const std::wstring refused[] = {L"",
                                    L"a|b",
                                    L"a\\b",
                                    L"..\\up",
                                    L"a/b",
                                    L"C:x",
                                    L"*",
                                    L"what?",
                                    L"\"q\"",
                                    L"<a>",
                                    L"tab\there",
                                    L"CON",
                                    L"con",
                                    L"Nul.x",
                                    L"aux ",
                                    L"PRN . a",
                                    L"COM1",
                                    L"lpt9",
                                    L"CONIN$",
                                    L"conout$.x",
                                    L"COM\u00B9",
                                    L"evil\u202Epns.exe",
                                    std::wstring(252, L'n')};
    for (const auto& bad : refused) {
        SCOPED_TRACE(testing::Message() << "name of " << bad.size() << " characters");
        name(bad);
        const auto before = hl::messages().size();
        create();
        ASSERT_EQ(hl::messages().size(), before + 1);
        EXPECT_EQ(lastMessage().text,
                  L"The name \"" + bad +
                      L"\" cannot be used for a sniplet file.\r\nUse a name that is not empty, is "
                      L"not a device name such as CON or NUL, and holds none of these characters: "
                      L"\\ / : * ? \" < > |");
        EXPECT_EQ(lastMessage().style, 16);
        EXPECT_EQ(lastMessage().title, L"Duzarudar");
    }
    // Nothing was made: not even the folder.
    EXPECT_EQ(hl::allPaths(), std::vector<std::wstring>{L"C:\\Tools"});
}

TEST_F(CreateCommand, RemovesTemporaryFilesOfEndedProgramsNotOfRunningOnes) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\~rf1c-1.tmp", "left by a killed snipforge");
    hl::addFile(folder + L"\\~rf2d-1.tmp", "being written by a running one");
    hl::addFile(folder + L"\\~rf-notes.txt", "not ours");
    hl::markProcessRunning(0x2d);
    name(L"a");
    create();
    EXPECT_EQ(hl::allPaths(),
              (std::vector<std::wstring>{L"C:\\Tools", folder, folder + L"\\a.snp",
                                         folder + L"\\~rf-notes.txt", folder + L"\\~rf2d-1.tmp"}));
}

TEST_F(CreateCommand, AcceptsNamesThatOnlyLookLikeDevices) {
    for (const std::wstring good : {L"CONSOLE", L"COM0", L"nul1", L"..", L"LPT"}) {
        name(good);
        create();
        EXPECT_TRUE(hl::fileExists(folder + L"\\" + good + L".snp"));
        EXPECT_EQ(lastMessage().style, 32);
    }
}

TEST_F(CreateCommand, RefusesTextsTheCodePageCannotHoldAndNamesTheField) {
    form.textBox(L"Text3").userEdited(L"\u0416uk");
    form.textBox(L"Text5").userEdited(L"\u4e2d");
    create();
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text, L"The sniplet holds characters that this system's code page "
                                  L"cannot store (in About Code).\r\nChange them and try again.");
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_FALSE(hl::fileExists(folder + L"\\Name of code here.snp"));
    EXPECT_FALSE(platform::folderExists(folder));

    form.textBox(L"Text3").userEdited(L"fine");
    create();
    EXPECT_EQ(lastMessage().text, L"The sniplet holds characters that this system's code page "
                                  L"cannot store (in For Module, 32 bit version).\r\nChange them "
                                  L"and try again.");
}

// Checked before the overwrite question: an existing file stays as it was.
TEST_F(CreateCommand, RefusesADashLineNamingTheTextAndLineBeforeAskingToReplace) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\Name of code here.snp", "old");
    form.optionButton(L"optcode16").userClicked();
    form.textBox(L"Text4").userEdited(L"fine");
    form.optionButton(L"optcode32").userClicked();
    form.textBox(L"Text4").userEdited(L"If x Then\r\n' note\r\n---\r\nEnd If");
    create();
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text,
              L"Line 3 of the 32-bit code is exactly \"---\", the line that ends each text in a "
              L"sniplet file: the file would be misread.\r\nChange that line, for example by "
              L"adding a blank after the dashes, or remove it, and try again.");
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_EQ(lastMessage().title, L"Duzarudar");
    EXPECT_EQ(hl::fileBytes(folder + L"\\Name of code here.snp"), "old");

    // The module text is a text of its own, whichever variant the box shows.
    form.textBox(L"Text4").userEdited(L"--- ");
    form.optionButton(L"optde16").userClicked();
    form.textBox(L"Text5").userEdited(L"Declare\n---");
    form.optionButton(L"optde32").userClicked();
    create();
    ASSERT_EQ(hl::messages().size(), 2u);
    EXPECT_TRUE(lastMessage().text.starts_with(L"Line 2 of the 16-bit module text is exactly"));
    EXPECT_EQ(hl::fileBytes(folder + L"\\Name of code here.snp"), "old");
}

TEST_F(CreateCommand, RefusesALineBreakInAOneLineText) {
    form.textBox(L"Text2").userEdited(L"Ann\r\nBob");
    create();
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text, L"The Author text holds a line break, and it must fit on one "
                                  L"line of the sniplet file.\r\nRemove the line break and try "
                                  L"again.");
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_FALSE(platform::folderExists(folder));
}

TEST_F(CreateCommand, AFolderThatCannotBeMadeIsReportedNotClaimedAsDone) {
    hl::failNextCreateFolder(5);
    create();
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text, L"Could not create the sniplet.\r\nFile location: "
                                  L"\"C:\\Tools\\Sniplets\\Name of code here.snp\"\r\n" +
                                      platform::errorText(5));
    EXPECT_EQ(lastMessage().style, 16);
}

TEST_F(CreateCommand, AFileNamedLikeTheFolderStandsInTheWay) {
    hl::addFile(L"C:\\Tools\\Sniplets", "not a folder");
    create();
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text.substr(0, 30), L"Could not create the sniplet.\r");
    EXPECT_EQ(hl::fileBytes(L"C:\\Tools\\Sniplets"), "not a folder");
}

TEST_F(CreateCommand, AReadOnlyTargetIsNotReplacedAndSaysSo) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\Name of code here.snp", "kept", hl::attr::readOnly);
    hl::queueAnswer(platform::answer::yes);
    create();
    ASSERT_EQ(hl::messages().size(), 2u);
    EXPECT_EQ(lastMessage().text, L"Could not create the sniplet.\r\nFile location: "
                                  L"\"C:\\Tools\\Sniplets\\Name of code here.snp\"\r\n" +
                                      platform::errorText(5));
    EXPECT_EQ(hl::fileBytes(folder + L"\\Name of code here.snp"), "kept");
}

TEST_F(CreateCommand, AFailedWriteIsReportedWithTheSystemsText) {
    hl::failNextReplace(112); // disk full
    create();
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_NE(lastMessage().text.find(platform::errorText(112)), std::wstring::npos);
    EXPECT_FALSE(hl::fileExists(folder + L"\\Name of code here.snp"));
}

} // namespace
} // namespace snipforge
