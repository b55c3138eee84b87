#include "snipfetch/download_order.h"

#include <algorithm>

namespace snipfetch {

DownloadOrder::DownloadOrder(std::size_t count, std::size_t lanes, std::size_t ahead)
    : states_(count, State::waiting), count_(count), lanes_(std::max<std::size_t>(lanes, 1)),
      ahead_(std::max(ahead, lanes_)), firstFailure_(count) {}

std::optional<std::size_t> DownloadOrder::nextToStart() {
    if (started_ >= firstFailure_ || inFlight_ >= lanes_ || started_ - committed_ >= ahead_) {
        return std::nullopt;
    }
    states_[started_] = State::inFlight;
    ++inFlight_;
    return started_++;
}

void DownloadOrder::arrived(std::size_t file) {
    if (states_[file] == State::inFlight) {
        --inFlight_;
        states_[file] = State::arrived;
    }
}

void DownloadOrder::failed(std::size_t file) {
    if (states_[file] == State::inFlight) {
        --inFlight_;
    }
    states_[file] = State::done;
    firstFailure_ = std::min(firstFailure_, file);
}

std::optional<std::size_t> DownloadOrder::nextToCommit() const {
    if (committed_ < firstFailure_ && committed_ < count_ &&
        states_[committed_] == State::arrived) {
        return committed_;
    }
    return std::nullopt;
}

void DownloadOrder::committed(std::size_t file) {
    if (file == committed_ && states_[file] == State::arrived) {
        states_[file] = State::done;
        ++committed_;
    }
}

std::vector<std::size_t> DownloadOrder::takeCancelled() {
    std::vector<std::size_t> cancelled;
    for (std::size_t file = firstFailure_ + 1; file < started_; ++file) {
        if (states_[file] == State::inFlight) {
            --inFlight_;
            states_[file] = State::done;
            cancelled.push_back(file);
        }
    }
    return cancelled;
}

bool DownloadOrder::finished() const {
    return inFlight_ == 0 && !nextToCommit().has_value() && (anyFailed() || committed_ == count_);
}

} // namespace snipfetch
