#include "snipfetch/download_order.h"

#include <gtest/gtest.h>

namespace snipfetch {
namespace {

using Files = std::vector<std::size_t>;

Files startAll(DownloadOrder& order) {
    Files started;
    while (auto file = order.nextToStart()) {
        started.push_back(*file);
    }
    return started;
}

Files commitAll(DownloadOrder& order) {
    Files committed;
    while (auto file = order.nextToCommit()) {
        order.committed(*file);
        committed.push_back(*file);
    }
    return committed;
}

TEST(DownloadOrder, RunsLanesAtOnceAndPutsFilesInPlaceInListOrder) {
    DownloadOrder order(7, 3, 4);
    EXPECT_EQ(startAll(order), (Files{0, 1, 2}));
    // Later files arriving first wait for the ones above them.
    order.arrived(2);
    order.arrived(1);
    EXPECT_EQ(commitAll(order), Files{});
    // Free lanes start more, but no more than 4 wait for file 0.
    EXPECT_EQ(startAll(order), (Files{3}));
    order.arrived(3);
    EXPECT_EQ(startAll(order), Files{});
    order.arrived(0);
    EXPECT_EQ(commitAll(order), (Files{0, 1, 2, 3}));
    EXPECT_FALSE(order.finished());
    EXPECT_EQ(startAll(order), (Files{4, 5, 6}));
    for (std::size_t file : {6, 4, 5}) {
        order.arrived(file);
    }
    EXPECT_EQ(commitAll(order), (Files{4, 5, 6}));
    EXPECT_TRUE(order.finished());
    EXPECT_FALSE(order.anyFailed());
}

TEST(DownloadOrder, AFailureFinishesTheFilesAboveAndCancelsTheOnesBelow) {
    DownloadOrder order(8, 4, 8);
    EXPECT_EQ(startAll(order), (Files{0, 1, 2, 3}));
    order.arrived(3); // below the failure: arrived, yet never put in place
    order.failed(2);
    EXPECT_EQ(startAll(order), Files{}); // nothing new starts
    EXPECT_EQ(order.takeCancelled(), Files{});
    EXPECT_FALSE(order.finished()); // 0 and 1 are still on their way
    order.arrived(1);
    order.arrived(0);
    EXPECT_EQ(commitAll(order), (Files{0, 1}));
    EXPECT_TRUE(order.finished());
    EXPECT_TRUE(order.anyFailed());
    EXPECT_EQ(order.committedCount(), 2u);
}

TEST(DownloadOrder, TheFirstFailureInListOrderCountsNotTheFirstInTime) {
    DownloadOrder order(6, 4, 8);
    startAll(order);
    order.failed(3);
    order.arrived(0);
    EXPECT_EQ(commitAll(order), (Files{0}));
    // File 1 fails later: file 2, which came whole, stays out.
    order.arrived(2);
    order.failed(1);
    EXPECT_EQ(commitAll(order), Files{});
    EXPECT_EQ(order.takeCancelled(), Files{});
    EXPECT_TRUE(order.finished());
    EXPECT_EQ(order.committedCount(), 1u);
}

TEST(DownloadOrder, TransfersBelowAFailureAreCancelledOnce) {
    DownloadOrder order(6, 4, 8);
    startAll(order);
    order.failed(1);
    EXPECT_EQ(order.takeCancelled(), (Files{2, 3}));
    EXPECT_EQ(order.takeCancelled(), Files{});
    EXPECT_FALSE(order.finished()); // file 0 is still on its way
    order.failed(0);                // a move into place that failed
    EXPECT_TRUE(order.finished());
    EXPECT_EQ(order.committedCount(), 0u);
}

TEST(DownloadOrder, NothingToDoIsFinished) {
    DownloadOrder order(0, 4, 8);
    EXPECT_EQ(order.nextToStart(), std::nullopt);
    EXPECT_TRUE(order.finished());
    EXPECT_FALSE(order.anyFailed());
}

} // namespace
} // namespace snipfetch
