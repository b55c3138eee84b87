#include "snipindex/commands.h"

#include "snipfetch/signed_index.h"
#include "snipindex/folder_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace snipindex {
namespace {

namespace fs = std::filesystem;
constexpr std::int64_t now = 1767225600; // 2026-01-01T00:00:00Z

class SnipindexTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("snipindex-test-" + std::to_string(getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        site = root / "site";
        keyFile = root / "maker.pem";
        fs::remove_all(root);
        fs::create_directories(site);
        ASSERT_EQ(keygen(keyFile, out, err), 0) << err.str();
        publicKey = out.str().substr(std::string("SNIPFETCH_INDEX_KEY=").size(), 88);
        out.str("");
    }
    void TearDown() override { fs::remove_all(root); }

    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(site / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) { return *readWholeFile(site / name); }
    int publishSite(int days = 30) { return publish(site, keyFile, days, now, out, err); }
    int verifySite(std::int64_t at = now) { return verify(site, publicKey, at, out, err); }

    fs::path root;
    fs::path site;
    fs::path keyFile;
    std::string publicKey;
    std::ostringstream out, err;
};

TEST_F(SnipindexTest, KeygenWritesAPrivateFileAndNeverReplacesOne) {
    struct stat info {};
    ASSERT_EQ(stat(keyFile.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_TRUE(snipfetch::decodeIndexKey(publicKey));
    const auto before = *readWholeFile(keyFile);
    EXPECT_EQ(keygen(keyFile, out, err), 1);
    EXPECT_EQ(*readWholeFile(keyFile), before);
}

TEST_F(SnipindexTest, PublishesTheSnipletsInByteOrderWithARisingSequence) {
    write("b.snp", "bee");
    write("B.snp", "big bee");
    write("\xC3\xA9.snp", "e acute"); // after every ASCII name
    write("notes.txt", "not a sniplet");
    ASSERT_EQ(publishSite(7), 0) << err.str();
    EXPECT_EQ(out.str(), "Published 3 sniplet(s), sequence 1, expires 2026-01-08T00:00:00Z.\n");
    EXPECT_EQ(read("Sniplets.txt"), "B.snp\r\nb.snp\r\n\xC3\xA9.snp\r\n");

    const auto text = read("Sniplets.index");
    const auto index = snipfetch::readIndex(text);
    ASSERT_TRUE(index);
    EXPECT_EQ(index->sequence, 1u);
    EXPECT_TRUE(snipfetch::isSignedBy(*index, text, *snipfetch::decodeIndexKey(publicKey)));
    ASSERT_EQ(index->entries.size(), 3u);
    EXPECT_EQ(text.substr(index->entries[1].nameOffset, index->entries[1].nameLength), "b.snp");
    EXPECT_EQ(index->entries[1].size, 3u);
    EXPECT_EQ(verifySite(), 0) << err.str();

    ASSERT_EQ(publishSite(), 0);
    EXPECT_EQ(snipfetch::readIndex(read("Sniplets.index"))->sequence, 2u);
    // An index that is not this key's starts the count again.
    write("Sniplets.index", "snipfetch index 1\n");
    ASSERT_EQ(publishSite(), 0);
    EXPECT_EQ(snipfetch::readIndex(read("Sniplets.index"))->sequence, 1u);
}

TEST_F(SnipindexTest, PublishRefusesLinksOtherEntriesAndUnlistableNamesWritingNothing) {
    write("good.snp", "g");
    for (const auto& refused : {"link.snp", "folder.snp", " blank.snp", "CON.snp", "\xFF.snp"}) {
        fs::remove_all(site / refused);
        if (std::string(refused) == "link.snp") {
            fs::create_symlink("good.snp", site / refused);
        } else if (std::string(refused) == "folder.snp") {
            fs::create_directory(site / refused);
        } else {
            write(refused, "x");
        }
        EXPECT_EQ(publishSite(), 1) << refused;
        EXPECT_NE(err.str().find(refused), std::string::npos) << err.str();
        EXPECT_FALSE(fs::exists(site / "Sniplets.index")) << refused;
        EXPECT_FALSE(fs::exists(site / "Sniplets.txt")) << refused;
        fs::remove_all(site / refused);
        err.str("");
    }
}

TEST_F(SnipindexTest, VerifyNamesEveryProblem) {
    write("a.snp", "aaa");
    write("b.snp", "bbb");
    ASSERT_EQ(publishSite(1), 0);
    write("a.snp", "aaX");                       // same size, other bytes
    write("b.snp", "bbbb");                      // another size
    write("Sniplets.txt", "b.snp\r\na.snp\r\n"); // another order
    EXPECT_EQ(verifySite(now + 86400), 1);       // and expired
    const std::string problems = err.str();
    for (const auto& expected : {"a.snp: its SHA-256 differs", "b.snp: 4 bytes, the index says 3",
                                 "Sniplets.txt: does not list", "expired at 2026-01-02"}) {
        EXPECT_NE(problems.find(expected), std::string::npos) << expected << "\n" << problems;
    }

    err.str("");
    ASSERT_EQ(publishSite(), 0);
    EXPECT_EQ(verifySite(), 0);
    fs::remove(site / "a.snp");
    EXPECT_EQ(verifySite(), 1);
    EXPECT_NE(err.str().find("a.snp: missing"), std::string::npos);

    out.str("");
    ASSERT_EQ(keygen(root / "other.pem", out, err), 0);
    const auto other = out.str().substr(std::string("SNIPFETCH_INDEX_KEY=").size(), 88);
    EXPECT_EQ(verify(site, other, now, out, err), 1);
}

} // namespace
} // namespace snipindex
