#include "platform/headless/headless.h"
#include "platform/headless/http_script.h"
#include "snipfetch/download_window.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

namespace hl = platform::headless;

const std::wstring catalogue = L"http://sniplets.test/Sniplets/Sniplets.txt";
const std::wstring base = L"http://sniplets.test/Sniplets/";
const std::wstring loading = L"Loading\u2026";

std::string snipletFile(const std::string& name) {
    std::string file = "Sniplet File\r\n";
    file.append(name).append("\r\nDozovad\r\nWhat ").append(name);
    file.append(" does.\r\nMsgBox *\r\n---\r\n\r\n---\r\n\r\n---\r\n\r\n---\r\n");
    return file;
}

std::wstring tipOf(const std::wstring& name) {
    return name + L"\r\nby Dozovad\r\nWhat " + name + L" does.";
}

using Urls = std::vector<std::wstring>;

class SnipletPreviewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        hl::reset();
        hl::resetHttp();
        hl::setCurrentDirectory(L"C:\\Work");
        hl::addFolder(L"C:\\Work");
        form.load();
        listed({"a", "b", "c", "d"});
    }
    void TearDown() override { form.unload(); }

    void listed(const std::vector<std::string>& names) {
        std::string body;
        for (const auto& name : names) {
            body += name + ".snp\r\n";
            hl::serveBody(base + std::wstring(name.begin(), name.end()) + L".snp",
                          snipletFile(name));
        }
        hl::serveBody(catalogue, body);
        form.commandButton(L"cmdGetList").userClicked();
    }

    platform::CheckList& list() { return form.checkList(L"lstAddIns"); }
    std::wstring tip(std::size_t row) { return list().tipText(row); }
    const hl::ShownControl& shown() { return *hl::shown(list()); }

    DownloadWindow form{L"sniplets.test"};
};

TEST_F(SnipletPreviewsTest, FetchesARowOnceWhenItsTipIsFirstWanted) {
    EXPECT_TRUE(hl::peekedUrls().empty()); // listing fetches nothing more
    EXPECT_EQ(tip(1), loading);
    EXPECT_EQ(tip(1), loading); // a second look while it comes asks nothing more
    EXPECT_EQ(hl::peekedUrls(), Urls{base + L"b.snp"});
    ASSERT_TRUE(hl::endPeek(base + L"b.snp"));
    EXPECT_EQ(shown().tipRefreshes, std::vector<std::size_t>{1});
    EXPECT_EQ(tip(1), tipOf(L"b"));
    EXPECT_EQ(hl::peekedUrls().size(), 1u);
    // Get List's and Download's own requests are the same as without tips.
    EXPECT_EQ(hl::requestedUrls(), Urls{catalogue});
}

TEST_F(SnipletPreviewsTest, TwoAtOnceAndTheLatestRowFirst) {
    for (std::size_t row = 0; row < 4; ++row) {
        EXPECT_EQ(tip(row), loading);
    }
    EXPECT_EQ(hl::runningPeeks(), (Urls{base + L"a.snp", base + L"b.snp"}));
    ASSERT_TRUE(hl::endPeek(base + L"a.snp"));
    // Row 3 was wanted last; row 2, passed over, is not fetched.
    EXPECT_EQ(hl::runningPeeks(), (Urls{base + L"b.snp", base + L"d.snp"}));
    ASSERT_TRUE(hl::endPeek(base + L"b.snp"));
    ASSERT_TRUE(hl::endPeek(base + L"d.snp"));
    EXPECT_TRUE(hl::runningPeeks().empty());
    EXPECT_EQ(tip(3), tipOf(L"d"));
    EXPECT_EQ(tip(2), loading); // asked again, it comes now
    EXPECT_EQ(hl::runningPeeks(), Urls{base + L"c.snp"});
}

TEST_F(SnipletPreviewsTest, APressCancelsWhatIsOnItsWay) {
    tip(0);
    tip(1);
    tip(2); // waiting for a lane
    const int hidesBefore = shown().tipHides;
    form.commandButton(L"cmdDownload").userClicked(); // nothing checked: a Notice
    EXPECT_TRUE(hl::runningPeeks().empty());
    EXPECT_EQ(shown().tipHides, hidesBefore + 1);
    EXPECT_FALSE(hl::endPeek(base + L"a.snp"));
    EXPECT_EQ(hl::peekedUrls().size(), 2u); // the waiting row never started
    // Nothing of a cancelled fetch was kept: the next look asks again.
    EXPECT_EQ(tip(0), loading);
    EXPECT_EQ(hl::runningPeeks(), Urls{base + L"a.snp"});
    EXPECT_EQ(hl::requestedUrls(), Urls{catalogue});
}

TEST_F(SnipletPreviewsTest, ANewListForgetsWhatWasKept) {
    tip(0);
    ASSERT_TRUE(hl::endPeek(base + L"a.snp"));
    listed({"a", "e"});
    EXPECT_EQ(tip(0), loading);
    EXPECT_EQ(hl::peekedUrls(), (Urls{base + L"a.snp", base + L"a.snp"}));
}

TEST_F(SnipletPreviewsTest, SaysWhyARowHasNoDescription) {
    hl::serveBody(base + L"a.snp", "<html>Not here</html>");
    platform::HttpResult silent;
    silent.failure = platform::HttpFailure::timedOut;
    hl::serveResult(base + L"b.snp", silent);
    platform::HttpResult missing;
    missing.failure = platform::HttpFailure::badStatus;
    missing.status = 404;
    hl::serveResult(base + L"c.snp", missing);
    // The whole file, far past the 4 KiB asked for: its head still counts.
    hl::serveBody(base + L"d.snp", snipletFile("d") + std::string(1 << 20, 'x'));
    const std::vector<std::wstring> expected = {
        L"No description: not a sniplet file", L"No description: the server did not answer",
        L"No description: the server has no such file", tipOf(L"d")};
    for (std::size_t row = 0; row < 4; ++row) {
        tip(row);
        ASSERT_TRUE(hl::endPeek(base + list().item(row)));
        EXPECT_EQ(tip(row), expected[row]);
    }
}

TEST_F(SnipletPreviewsTest, KeepsAFewThousandAnswersAtMost) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i <= SnipletPreviews::mostKept; ++i) {
        names.push_back(std::to_string(i));
        names.back().insert(0, 1, 's');
    }
    listed(names);
    for (std::size_t row = 0; row < names.size(); ++row) {
        tip(row);
        ASSERT_TRUE(hl::endPeek(base + list().item(row)));
    }
    const auto fetched = hl::peekedUrls().size();
    EXPECT_EQ(tip(names.size() - 1), tipOf(L"s4096"));
    EXPECT_EQ(tip(0), loading); // the oldest answer went
    EXPECT_EQ(hl::peekedUrls().size(), fetched + 1);
}

} // namespace
} // namespace snipfetch
