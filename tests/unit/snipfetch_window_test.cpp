#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/headless/http_script.h"
#include "snipfetch/download_window.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

namespace hl = platform::headless;

const std::wstring host = L"sniplets.test";
const std::wstring catalogue = L"http://sniplets.test/Sniplets/Sniplets.txt";
const std::wstring base = L"http://sniplets.test/Sniplets/";
const std::wstring folder = L"C:\\Work\\Sniplets";

const std::wstring listError = L"An error occurred while trying to download the list.";
const std::wstring noNewAddIns = L"It appears there are no new add-ins to download.";
const std::wstring downloadError = L"An error occurred while trying to download the file(s).";
const std::wstring selectOne = L"You must select at least one file to download.";
const std::wstring finished = L"Finished downloading file(s). You will need to restart the "
                              L"Dovuraviz in order to use them.";

platform::HttpResult failure(platform::HttpFailure kind, int status = 0) {
    platform::HttpResult result;
    result.failure = kind;
    result.status = status;
    result.body = "<html>error page</html>";
    return result;
}

class DownloadWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        hl::reset();
        hl::resetHttp();
        hl::setCurrentDirectory(L"C:\\Work");
        hl::addFolder(L"C:\\Work");
        form.load();
    }
    void TearDown() override { form.unload(); }

    void getList() { form.commandButton(L"cmdGetList").userClicked(); }
    void download() { form.commandButton(L"cmdDownload").userClicked(); }
    platform::CheckList& list() { return form.checkList(L"lstAddIns"); }

    std::vector<std::wstring> rows() {
        std::vector<std::wstring> texts;
        for (std::size_t i = 0; i < list().count(); ++i) {
            texts.emplace_back(list().item(i));
        }
        return texts;
    }

    // Fills the list through Get List, as a user would.
    void listed(const std::string& catalogueBody) {
        hl::serveBody(catalogue, catalogueBody);
        getList();
    }

    void expectOnlyMessage(const std::wstring& text, int style, const std::wstring& title) {
        ASSERT_EQ(hl::messages().size(), 1u);
        EXPECT_EQ(hl::messages()[0].text, text);
        EXPECT_EQ(hl::messages()[0].style, style);
        EXPECT_EQ(hl::messages()[0].title, title);
    }

    DownloadWindow form{host};
};

using Rows = std::vector<std::wstring>;

TEST_F(DownloadWindowTest, StartsWithAnEmptyListAndFetchesNothing) {
    EXPECT_EQ(form.snipletFolder, L"Sniplets");
    EXPECT_EQ(list().count(), 0u);
    EXPECT_TRUE(hl::requestedUrls().empty());
}

// ---- Get List

TEST_F(DownloadWindowTest, GetListWithoutFolderListsEveryNameUncheckedAndCreatesNothing) {
    listed("b.snp\r\n a.snp \r\nb.snp");
    EXPECT_EQ(hl::requestedUrls(), std::vector<std::wstring>{catalogue});
    EXPECT_EQ(rows(), (Rows{L"b.snp", L"a.snp", L"b.snp"}));
    for (std::size_t i = 0; i < list().count(); ++i) {
        EXPECT_FALSE(list().checked(i));
    }
    EXPECT_TRUE(hl::messages().empty());
    EXPECT_FALSE(platform::folderExists(folder));
}

TEST_F(DownloadWindowTest, GetListSkipsFilesPresentInAnyLetterCase) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\HAVE.SNP", "x");
    hl::addFile(folder + L"\\ro.snp", "x", hl::attr::readOnly);
    hl::addFile(folder + L"\\CAF\u00C9.SNP", "x");
    listed("have.snp\r\nro.snp\r\ncaf\xC3\xA9.snp\r\nnew.snp");
    EXPECT_EQ(rows(), (Rows{L"new.snp"}));
    EXPECT_TRUE(hl::messages().empty());
}

TEST_F(DownloadWindowTest, HiddenAndSystemFilesAndFoldersDoNotCountAsPresent) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\hidden.snp", "x", hl::attr::hidden);
    hl::addFile(folder + L"\\system.snp", "x", hl::attr::system);
    hl::addFolder(folder + L"\\folder.snp");
    listed("hidden.snp\r\nsystem.snp\r\nfolder.snp");
    EXPECT_EQ(rows(), (Rows{L"hidden.snp", L"system.snp", L"folder.snp"}));
}

TEST_F(DownloadWindowTest, GetListWithNothingNewShowsTheNotice) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\a.snp", "x");
    listed("a.snp\r\n");
    EXPECT_EQ(list().count(), 0u);
    expectOnlyMessage(noNewAddIns, 64, L"Notice");
}

TEST_F(DownloadWindowTest, AnEmptyCatalogueClearsTheListAndShowsTheNotice) {
    listed("a.snp");
    ASSERT_EQ(list().count(), 1u);
    listed("");
    EXPECT_EQ(list().count(), 0u);
    expectOnlyMessage(noNewAddIns, 64, L"Notice");
}

TEST_F(DownloadWindowTest, UnsafeNamesAreNeverListed) {
    listed("..\\evil.snp\r\n../evil.snp\r\nC:\\evil.snp\r\nnul.snp\r\n..\r\nok.snp\r\n"
           "evil\xE2\x80\xAEpns.exe\r\nCONIN$\r\nlpt\xC2\xB3.snp\r\n" +
           std::string(256, 'n') + "\r\n" + std::string(255, 'y'));
    EXPECT_EQ(rows(), (Rows{L"ok.snp", std::wstring(255, L'y')}));
}

TEST_F(DownloadWindowTest, ACatalogueOver64MiBIsAFailedGetList) {
    listed("a.snp");
    std::string huge(64u << 20, 'x');
    huge.push_back('x');
    hl::serveBody(catalogue, std::move(huge));
    getList();
    EXPECT_EQ(rows(), (Rows{L"a.snp"}));
    expectOnlyMessage(listError, 16, L"Error");
}

TEST_F(DownloadWindowTest, AFailedFetchKeepsThePreviousRows) {
    listed("a.snp\r\nb.snp");
    list().userToggled(1, true);
    for (auto kind : {platform::HttpFailure::unreachable, platform::HttpFailure::timedOut,
                      platform::HttpFailure::shortBody}) {
        hl::serveResult(catalogue, failure(kind));
        getList();
    }
    // A 404 page is an error, never a catalogue.
    hl::serveResult(catalogue, failure(platform::HttpFailure::badStatus, 404));
    getList();
    EXPECT_EQ(rows(), (Rows{L"a.snp", L"b.snp"}));
    EXPECT_TRUE(list().checked(1));
    ASSERT_EQ(hl::messages().size(), 4u);
    for (const auto& message : hl::messages()) {
        EXPECT_EQ(message.text, listError);
        EXPECT_EQ(message.style, 16);
        EXPECT_EQ(message.title, L"Error");
    }
}

TEST_F(DownloadWindowTest, AHundredThousandEntriesAreWalkedToTheEndWithoutARedrawPerRow) {
    hl::addFolder(folder);
    std::string body;
    for (int i = 0; i < 100000; ++i) {
        body.append("s").append(std::to_string(i)).append(".snp\r\n");
        if (i % 2 == 0) {
            hl::addFile(folder + L"\\S" + std::to_wstring(i) + L".SNP", "");
        }
    }
    listed(body);
    ASSERT_EQ(list().count(), 50000u);
    EXPECT_EQ(list().item(0), L"s1.snp");
    EXPECT_EQ(list().item(49999), L"s99999.snp");
    const auto* shown = hl::shown(list());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->redrawOffCount, 1);
    EXPECT_EQ(shown->rowsShownFrom, 0u);
    EXPECT_TRUE(hl::messages().empty());
}

// ---- Download

TEST_F(DownloadWindowTest, DownloadWithNothingCheckedMakesTheFolderAndAsksForASelection) {
    download();
    EXPECT_TRUE(platform::folderExists(folder));
    expectOnlyMessage(selectOne, 64, L"Notice");

    listed("a.snp\r\nb.snp");
    download();
    EXPECT_EQ(hl::messages().back().text, selectOne);
    EXPECT_EQ(hl::requestedUrls(), std::vector<std::wstring>{catalogue}); // no sniplet fetched
}

TEST_F(DownloadWindowTest, DownloadStoresCheckedRowsInListOrderByteForByte) {
    listed("a.snp\r\nb.snp\r\nMy Tools.snp");
    list().userToggled(2, true);
    list().userToggled(0, true);
    const std::string binary("\0\r\n\x80\xFF\r\nend\0", 11);
    hl::serveBody(base + L"a.snp", binary);
    hl::serveBody(base + L"My%20Tools.snp", "tools\r\n");
    download();
    EXPECT_EQ(hl::requestedUrls(),
              (std::vector<std::wstring>{catalogue, base + L"a.snp", base + L"My%20Tools.snp"}));
    EXPECT_EQ(hl::fileBytes(folder + L"\\a.snp"), binary);
    EXPECT_EQ(hl::fileBytes(folder + L"\\My Tools.snp"), "tools\r\n");
    EXPECT_FALSE(hl::fileExists(folder + L"\\b.snp"));
    expectOnlyMessage(finished, 64, L"Notice");
    // The list stays as it was, checks included.
    EXPECT_EQ(rows(), (Rows{L"a.snp", L"b.snp", L"My Tools.snp"}));
    EXPECT_TRUE(list().checked(0));
    EXPECT_FALSE(list().checked(1));
    EXPECT_TRUE(list().checked(2));
}

TEST_F(DownloadWindowTest, ALongerEarlierFileIsReplacedWholeAndPressingTwiceFetchesAgain) {
    hl::addFolder(folder);
    listed("a.snp");
    hl::addFile(folder + L"\\a.snp", "a much longer earlier body");
    list().userToggled(0, true);
    hl::serveBody(base + L"a.snp", "new");
    download();
    EXPECT_EQ(hl::fileBytes(folder + L"\\a.snp"), "new");
    hl::serveBody(base + L"a.snp", "newer");
    download();
    EXPECT_EQ(hl::fileBytes(folder + L"\\a.snp"), "newer");
    EXPECT_EQ(hl::requestedUrls().size(), 3u);
}

// The transfers run side by side, so the third may well have come: it is never
// written all the same.
TEST_F(DownloadWindowTest, AFailingSecondOfThreeRowsKeepsTheFirstAndWritesNoThird) {
    listed("one.snp\r\ntwo.snp\r\nthree.snp");
    hl::addFolder(folder);
    hl::addFile(folder + L"\\two.snp", "earlier two");
    hl::addFile(folder + L"\\three.snp", "earlier three");
    for (std::size_t i = 0; i < 3; ++i) {
        list().userToggled(i, true);
    }
    hl::serveBody(base + L"one.snp", "1");
    hl::serveResult(base + L"two.snp", failure(platform::HttpFailure::badStatus, 500));
    hl::serveBody(base + L"three.snp", "3");
    download();
    EXPECT_EQ(hl::fileBytes(folder + L"\\one.snp"), "1");
    EXPECT_EQ(hl::fileBytes(folder + L"\\two.snp"), "earlier two"); // no error page stored
    EXPECT_EQ(hl::fileBytes(folder + L"\\three.snp"), "earlier three");
    expectOnlyMessage(downloadError, 16, L"Error");
}

TEST_F(DownloadWindowTest, EveryKindOfTransferFailureEndsInTheError) {
    listed("a.snp");
    list().userToggled(0, true);
    using enum platform::HttpFailure;
    for (auto kind : {unreachable, timedOut, tooSlow, broken, lengthUnknown, notStored}) {
        hl::serveResult(base + L"a.snp", failure(kind));
        download();
    }
    for (int status : {404, 204, 206}) {
        hl::serveResult(base + L"a.snp", failure(badStatus, status));
        download();
    }
    ASSERT_EQ(hl::messages().size(), 9u);
    for (const auto& message : hl::messages()) {
        EXPECT_EQ(message.text, downloadError);
        EXPECT_EQ(message.title, L"Error");
    }
    EXPECT_FALSE(hl::fileExists(folder + L"\\a.snp"));
}

// The body goes to the file as it arrives; a transfer that fails on the way
// leaves the earlier file as it was.
TEST_F(DownloadWindowTest, AFileThatFailsPartWayLeavesTheEarlierOne) {
    listed("a.snp");
    hl::addFolder(folder);
    hl::addFile(folder + L"\\a.snp", "earlier a");
    list().userToggled(0, true);
    for (auto kind : {platform::HttpFailure::shortBody, platform::HttpFailure::tooSlow}) {
        auto cut = failure(kind, 200);
        cut.body = "the first half of a new a";
        hl::serveResult(base + L"a.snp", cut);
        download();
        EXPECT_EQ(hl::fileBytes(folder + L"\\a.snp"), "earlier a");
    }
    EXPECT_EQ(hl::messages().size(), 2u);
}

TEST_F(DownloadWindowTest, DownloadRemovesWhatEndedProgramsLeftAndKeepsWhatRunningOnesUse) {
    hl::addFolder(folder);
    hl::addFolder(folder + L"\\~staging-41");
    hl::addFile(folder + L"\\~staging-41\\~41-7.tmp", "half a download");
    hl::addFile(folder + L"\\~rf2a-1.tmp", "half a sniplet");
    hl::addFolder(folder + L"\\~staging-99");
    hl::addFile(folder + L"\\~rf63-2.tmp", "in use");
    hl::addFile(folder + L"\\~staging-7.snp", "a sniplet of that name");
    hl::markProcessRunning(99);
    download();
    expectOnlyMessage(selectOne, 64, L"Notice");
    EXPECT_EQ(hl::allPaths(), (Rows{L"C:\\Work", folder, folder + L"\\~rf63-2.tmp",
                                    folder + L"\\~staging-7.snp", folder + L"\\~staging-99"}));
}

TEST_F(DownloadWindowTest, AFileNamedLikeTheFolderFailsTheFirstWrite) {
    hl::addFile(L"C:\\Work\\Sniplets", "in the way");
    download(); // nothing checked: the file stands, nothing to write
    expectOnlyMessage(selectOne, 64, L"Notice");

    listed("a.snp");
    list().userToggled(0, true);
    hl::serveBody(base + L"a.snp", "a");
    download();
    EXPECT_EQ(hl::messages().back().text, downloadError);
    EXPECT_EQ(hl::fileBytes(L"C:\\Work\\Sniplets"), "in the way");
}

TEST_F(DownloadWindowTest, FolderOrWriteFailuresEndInTheError) {
    hl::failNextCreateFolder(5);
    download();
    expectOnlyMessage(downloadError, 16, L"Error");

    listed("a.snp\r\nb.snp");
    list().userToggled(0, true);
    list().userToggled(1, true);
    hl::serveBody(base + L"a.snp", "a");
    hl::serveBody(base + L"b.snp", "b");
    hl::failNextReplace(112); // disk full
    download();
    EXPECT_EQ(hl::messages().back().text, downloadError);
    EXPECT_FALSE(hl::fileExists(folder + L"\\a.snp"));
    EXPECT_FALSE(hl::fileExists(folder + L"\\b.snp")); // fetched beside a, never written
}

// ---- The taskbar button

TEST_F(DownloadWindowTest, TheTaskbarButtonIsBusyForGetListAndCountsTheCheckedRowsOfADownload) {
    listed("a.snp\r\nb.snp\r\nc.snp");
    EXPECT_EQ(hl::taskbarLog(), (Rows{L"busy", L"none"}));
    list().userToggled(0, true);
    list().userToggled(2, true);
    hl::serveBody(base + L"a.snp", "a");
    hl::serveBody(base + L"c.snp", "c");
    download();
    EXPECT_EQ(hl::taskbarLog(),
              (Rows{L"busy", L"none", L"0/2", L"1/2", L"2/2", L"none", L"box: Notice"}));
}

TEST_F(DownloadWindowTest, AFailureShowsTheErrorUntilTheErrorBoxIsClosed) {
    getList(); // no catalogue: 404
    listed("a.snp\r\nb.snp");
    list().userToggled(0, true);
    list().userToggled(1, true);
    hl::serveBody(base + L"a.snp", "a"); // b.snp: 404
    download();
    EXPECT_EQ(hl::taskbarLog(), (Rows{L"busy", L"error", L"box: Error", L"none", L"busy", L"none",
                                      L"0/2", L"1/2", L"error", L"box: Error", L"none"}));
}

} // namespace
} // namespace snipfetch
