#include "snipfetch/sniplet_previews.h"

#include "snipfetch/sniplet_head.h"
#include "snipfetch/sniplet_url.h"

#include <algorithm>

namespace snipfetch {

namespace {

const std::wstring loading = L"Loading\u2026";
const std::wstring noDescription = L"No description: ";

bool contains(const std::vector<std::size_t>& rows, std::size_t row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

} // namespace

std::wstring noPreviewText(const platform::HttpResult& result) {
    using platform::HttpFailure;
    switch (result.failure) {
    case HttpFailure::none:
        return noDescription + L"not a sniplet file";
    case HttpFailure::unreachable:
    case HttpFailure::timedOut:
    case HttpFailure::tooSlow:
    case HttpFailure::broken:
        return noDescription + L"the server did not answer";
    case HttpFailure::insecure:
        return noDescription + L"the connection was not secure";
    case HttpFailure::badStatus:
        return noDescription +
               (result.status == 404 ? L"the server has no such file" : L"the server refused it");
    default:
        return noDescription + L"the server's answer was unusable";
    }
}

SnipletPreviews::SnipletPreviews(std::wstring_view host, const platform::CheckList& list)
    : host_(host), list_(list), peeks_(fetchesAtOnce) {
    peeks_.onEnded = [this](std::size_t row, const platform::HttpResult& result) {
        ended(row, result);
    };
}

const std::wstring* SnipletPreviews::knownTip(std::size_t row) const {
    const auto found = std::find_if(known_.rbegin(), known_.rend(),
                                    [row](const auto& answer) { return answer.first == row; });
    return found != known_.rend() ? &found->second : nullptr;
}

std::wstring SnipletPreviews::tipFor(std::size_t row) {
    if (const auto* known = knownTip(row)) {
        return *known;
    }
    if (contains(fetching_, row) || row >= list_.count()) {
        return loading;
    }
    waiting_ = row;
    startWaiting();
    const auto* refused = knownTip(row); // no fetch could start
    return refused ? *refused : loading;
}

void SnipletPreviews::cancel() {
    for (const std::size_t row : fetching_) {
        peeks_.cancel(row);
    }
    fetching_.clear();
    waiting_.reset();
}

void SnipletPreviews::forget() {
    cancel();
    known_.clear();
}

void SnipletPreviews::startWaiting() {
    if (!waiting_ || fetching_.size() >= fetchesAtOnce) {
        return;
    }
    const std::size_t row = *std::exchange(waiting_, std::nullopt);
    if (peeks_.start(row, snipletUrl(host_, list_.item(row)), snipletHeadBytes)) {
        fetching_.push_back(row);
    } else {
        platform::HttpResult refused;
        refused.failure = platform::HttpFailure::unreachable;
        keep(row, noPreviewText(refused));
    }
}

void SnipletPreviews::ended(std::size_t row, const platform::HttpResult& result) {
    std::erase(fetching_, row);
    const auto head = result.ok() ? readSnipletHead(result.body) : std::nullopt;
    keep(row, head ? tipTextOf(*head) : noPreviewText(result));
    if (onArrived) {
        onArrived(row);
    }
    startWaiting();
}

void SnipletPreviews::keep(std::size_t row, std::wstring text) {
    // A row is kept once: it is fetched only when nothing is kept for it.
    if (known_.size() >= mostKept) {
        known_.erase(known_.begin());
    }
    known_.emplace_back(row, std::move(text));
}

} // namespace snipfetch
