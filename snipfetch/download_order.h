// The order of a Download's transfers: several run at once, but their files go
// into place one after the other in list order, and a failure leaves the folder
// as a press that fetched one file at a time and stopped there would have left
// it. Files are numbered 0..count-1 in list order.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace snipfetch {

class DownloadOrder {
public:
    // lanes: transfers at once; ahead: files started but not yet in place, at
    // most (bounds the files that wait on the disk for one slow file above them).
    DownloadOrder(std::size_t count, std::size_t lanes, std::size_t ahead);

    // The next file whose transfer may start now: none while every lane is busy,
    // too many files wait, or once a failure is known.
    std::optional<std::size_t> nextToStart();
    void arrived(std::size_t file); // whole, waiting for its turn
    // Its transfer or its move into place failed; also the end of a file that
    // never got as far as a transfer.
    void failed(std::size_t file);

    // The file whose turn it is to go into place, when it has arrived.
    std::optional<std::size_t> nextToCommit() const;
    void committed(std::size_t file);

    // Transfers of files below the first failure: to be cancelled, what they
    // brought dropped. Each one is handed out once and counts as ended.
    std::vector<std::size_t> takeCancelled();

    // Nothing is under way any more, and nothing more will go into place.
    bool finished() const;
    bool anyFailed() const { return firstFailure_ < count_; }
    // The failure highest in the list, when there is one.
    std::optional<std::size_t> firstFailure() const {
        return anyFailed() ? std::optional(firstFailure_) : std::nullopt;
    }
    std::size_t committedCount() const { return committed_; }
    std::size_t count() const { return count_; }

private:
    enum class State : unsigned char { waiting, inFlight, arrived, done };
    std::vector<State> states_;
    std::size_t count_;
    std::size_t lanes_;
    std::size_t ahead_;
    std::size_t started_ = 0;   // files 0..started_-1 have started
    std::size_t committed_ = 0; // files 0..committed_-1 are in place
    std::size_t inFlight_ = 0;
    std::size_t firstFailure_; // count_: none
};

} // namespace snipfetch
