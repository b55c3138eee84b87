// snipfetch's window in a build with the maker's key, through the headless backend.
#include "platform/headless/headless.h"
#include "platform/headless/http_script.h"
#include "snipfetch/download_window.h"
#include "snipfetch/sequence_record.h"
#include "snipfetch/sniplet_url.h"
#include "snipindex/index_text.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

namespace hl = platform::headless;

const std::wstring base = L"http://sniplets.test/Sniplets/";
const std::wstring indexAddress = base + L"Sniplets.index";
const std::wstring folder = L"C:\\Work\\Sniplets";
const std::wstring record = folder + L"\\" + sequenceRecordName;
const std::wstring listError = L"An error occurred while trying to download the list.\n\n";
const std::wstring downloadError = L"An error occurred while trying to download the file(s).";
constexpr std::int64_t now = 1767225600; // the headless clock: 2026-01-01T00:00:00Z

std::string base64Of(const P256Point& point) {
    return snipindex::encodeBase64(
        std::string_view(reinterpret_cast<const char*>(point.data()), point.size()));
}

snipindex::PublishedFile published(const std::string& name, std::string_view bytes) {
    platform::Sha256 hash;
    hash.add(bytes);
    return {name, *hash.finish(), bytes.size()};
}

class SignedDownloadWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        hl::reset();
        hl::resetHttp();
        hl::setCurrentDirectory(L"C:\\Work");
        hl::addFolder(L"C:\\Work");
        form.load();
    }
    void TearDown() override { form.unload(); }

    // Serves an index of these files, signed with `by`, and each file's bytes.
    void serve(const std::vector<std::pair<std::string, std::string>>& files,
               std::uint64_t sequence = 5, std::int64_t expires = now + 86400,
               const snipindex::SigningKey* by = nullptr) {
        std::vector<snipindex::PublishedFile> entries;
        for (const auto& [name, bytes] : files) {
            entries.push_back(published(name, bytes));
            hl::serveBody(snipletUrl(L"sniplets.test", std::wstring(name.begin(), name.end())),
                          bytes);
        }
        hl::serveBody(indexAddress,
                      *snipindex::signedIndexText(sequence, expires, entries, by ? *by : key));
    }

    void getList() { form.commandButton(L"cmdGetList").userClicked(); }
    void downloadAll() {
        for (std::size_t row = 0; row < list().count(); ++row) {
            list().setChecked(row, true);
        }
        form.commandButton(L"cmdDownload").userClicked();
    }
    platform::CheckList& list() { return form.checkList(L"lstAddIns"); }
    std::vector<std::wstring> rows() {
        std::vector<std::wstring> texts;
        for (std::size_t i = 0; i < list().count(); ++i) {
            texts.emplace_back(list().item(i));
        }
        return texts;
    }
    std::wstring lastMessage() { return hl::messages().empty() ? L"" : hl::messages().back().text; }

    snipindex::SigningKey key = *snipindex::SigningKey::generate();
    std::string keyText = base64Of(key.publicPoint());
    DownloadWindow form{L"sniplets.test", 4, makeSignedListing(keyText)};
};

using Rows = std::vector<std::wstring>;

TEST_F(SignedDownloadWindowTest, ListsAndFetchesFromTheIndexWithoutTheCatalogue) {
    hl::addFolder(folder);
    hl::addFile(folder + L"\\have.snp", "old");
    serve({{"b.snp", "bee"}, {"have.snp", "new"}, {"..\\evil.snp", "x"}, {"a b.snp", ""}});
    getList();
    EXPECT_TRUE(hl::messages().empty());
    EXPECT_EQ(rows(), (Rows{L"b.snp", L"a b.snp"})); // index order, present and unusable left out
    EXPECT_EQ(hl::fileBytes(record), "5\n");         // the folder exists: recorded at once

    downloadAll();
    EXPECT_EQ(hl::fileBytes(folder + L"\\b.snp"), "bee");
    EXPECT_EQ(hl::fileBytes(folder + L"\\a b.snp"), "");
    EXPECT_EQ(hl::messages().back().title, L"Notice");
    for (const auto& url : hl::requestedUrls()) {
        EXPECT_EQ(url.find(L"Sniplets.txt"), std::wstring::npos);
    }
}

TEST_F(SignedDownloadWindowTest, GetListMakesNoFolderAndDownloadRecordsTheSequence) {
    serve({{"a.snp", "aaa"}}, 9);
    getList();
    EXPECT_FALSE(hl::fileExists(record));
    EXPECT_EQ(rows(), (Rows{L"a.snp"}));
    downloadAll();
    EXPECT_EQ(hl::fileBytes(record), "9\n");
    EXPECT_TRUE(hl::fileAttributes(record) & hl::attr::hidden);
    EXPECT_EQ(hl::fileBytes(folder + L"\\a.snp"), "aaa");
}

TEST_F(SignedDownloadWindowTest, RefusesAListThatIsNotTheMakers) {
    const auto other = *snipindex::SigningKey::generate();
    const std::wstring notSigned = listError + L"The list is not signed by the maker.";
    // A list that was accepted stays as it was through every refusal.
    serve({{"kept.snp", "k"}});
    getList();
    ASSERT_EQ(rows(), (Rows{L"kept.snp"}));

    serve({{"a.snp", "a"}}, 6, now + 86400, &other);
    getList();
    EXPECT_EQ(lastMessage(), notSigned);

    hl::serveBody(indexAddress, "snipfetch index 1\n");
    getList();
    EXPECT_EQ(lastMessage(), notSigned);

    hl::resetHttp(); // no index at all: a 404
    getList();
    EXPECT_EQ(lastMessage(), notSigned);

    platform::HttpResult unreachable;
    unreachable.failure = platform::HttpFailure::unreachable;
    hl::serveResult(indexAddress, unreachable); // not an answer: today's text
    getList();
    EXPECT_EQ(lastMessage(), L"An error occurred while trying to download the list.");

    EXPECT_EQ(rows(), (Rows{L"kept.snp"}));
    for (const auto& message : hl::messages()) {
        EXPECT_EQ(message.style, 16);
        EXPECT_EQ(message.title, L"Error");
    }
}

TEST_F(SignedDownloadWindowTest, RefusesAnExpiredList) {
    serve({{"a.snp", "a"}}, 5, now); // expiring this very second
    getList();
    EXPECT_EQ(lastMessage(), listError + L"The list expired on 2026-01-01.");
    EXPECT_EQ(list().count(), 0u);

    serve({{"a.snp", "a"}}, 5, now + 1);
    getList();
    EXPECT_EQ(rows(), (Rows{L"a.snp"}));
}

TEST_F(SignedDownloadWindowTest, RefusesAnOlderSequenceThanTheFolderAccepted) {
    hl::addFolder(folder);
    serve({{"new.snp", "n"}}, 8);
    getList();
    serve({{"old.snp", "o"}}, 7);
    getList();
    EXPECT_EQ(lastMessage(), listError + L"The list is older than one already used here.");
    EXPECT_EQ(rows(), (Rows{L"new.snp"}));

    serve({{"same.snp", "s"}}, 8); // the same sequence again is no rollback
    getList();
    EXPECT_EQ(rows(), (Rows{L"same.snp"}));

    hl::addFile(record, "garbage", hl::attr::hidden); // an unreadable record counts as none
    serve({{"old.snp", "o"}}, 7);
    getList();
    EXPECT_EQ(rows(), (Rows{L"old.snp"}));
}

TEST_F(SignedDownloadWindowTest, AFileThatDiffersFailsAndKeepsItsOlderCopy) {
    serve({{"a.snp", "aaaa"}, {"b.snp", "bbbb"}, {"c.snp", "cccc"}});
    getList();
    hl::addFolder(folder);
    hl::addFile(folder + L"\\b.snp", "older b"); // came after the list
    hl::serveBody(base + L"b.snp", "bbbX");      // one byte changed
    downloadAll();
    EXPECT_EQ(lastMessage(), downloadError + L"\n\nb.snp is not the file that the maker signed.");
    EXPECT_EQ(hl::messages().back().style, 16);
    EXPECT_EQ(hl::fileBytes(folder + L"\\a.snp"), "aaaa"); // above it: in place
    EXPECT_EQ(hl::fileBytes(folder + L"\\b.snp"), "older b");
    EXPECT_FALSE(hl::fileExists(folder + L"\\c.snp")); // below it: never written
}

TEST_F(SignedDownloadWindowTest, ABodyPastItsSizeIsStoppedAndNamed) {
    serve({{"a.snp", "aaaa"}});
    getList();
    hl::serveBody(base + L"a.snp", std::string(1000, 'a'));
    downloadAll();
    EXPECT_EQ(lastMessage(), downloadError + L"\n\na.snp is not the file that the maker signed.");
    EXPECT_FALSE(hl::fileExists(folder + L"\\a.snp"));
}

TEST_F(SignedDownloadWindowTest, AnotherFailureAboveKeepsTodaysText) {
    serve({{"a.snp", "aaaa"}, {"b.snp", "bbbb"}});
    getList();
    platform::HttpResult missing;
    missing.failure = platform::HttpFailure::badStatus;
    missing.status = 404;
    hl::serveResult(base + L"a.snp", missing);
    hl::serveBody(base + L"b.snp", "bbbX");
    downloadAll();
    EXPECT_EQ(lastMessage(), downloadError);
}

TEST(SignedDownloadWindowKey, AKeyThatDoesNotDecodeAcceptsNoList) {
    hl::reset();
    hl::resetHttp();
    const auto key = *snipindex::SigningKey::generate();
    hl::serveBody(L"http://sniplets.test/Sniplets/Sniplets.index",
                  *snipindex::signedIndexText(1, now + 86400, {}, key));
    DownloadWindow form{L"sniplets.test", 4, makeSignedListing("not a key")};
    form.load();
    form.commandButton(L"cmdGetList").userClicked();
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(hl::messages()[0].text, listError + L"The list is not signed by the maker.");
    form.unload();
}

} // namespace
} // namespace snipfetch
