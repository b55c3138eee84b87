// The tips of the list's rows: a row's head (snipfetch/sniplet_head.h) is
// fetched when its tip is first wanted and kept for the life of the list, so a
// second look costs no request. The fetches run beside the window and never
// hold up Get List or Download: a press cancels them.
#pragma once

#include "platform/controls.h"
#include "platform/http_peeks.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace snipfetch {

class SnipletPreviews {
public:
    // At most this many fetches at once.
    static constexpr std::size_t fetchesAtOnce = 2;
    // At most this many answers kept; the oldest goes first.
    static constexpr std::size_t mostKept = 4096;

    SnipletPreviews(std::wstring_view host, const platform::CheckList& list);

    // The row's tip text now: its name, author and description, why there is
    // none, or "Loading…" while it is fetched. The first call for a row asks for
    // its fetch; a row that no lane can take yet waits, and only the row asked
    // last waits (the latest row comes first, rows passed over are not fetched).
    std::wstring tipFor(std::size_t row);

    // A press: every fetch on its way and the row waiting stop, unanswered.
    void cancel();
    // A new list: what was kept goes too.
    void forget();

    // A row's answer arrived (its tip text changed), on the window thread.
    std::function<void(std::size_t row)> onArrived;

private:
    std::wstring host_;
    const platform::CheckList& list_;
    // The answers kept, oldest first: a plain vector searched from its end, which
    // costs the program far less than a hash table.
    std::vector<std::pair<std::size_t, std::wstring>> known_;
    const std::wstring* knownTip(std::size_t row) const;
    std::vector<std::size_t> fetching_;
    std::optional<std::size_t> waiting_;
    platform::HttpPeeks peeks_; // last: it goes first, and its ends use the members above

    void startWaiting();
    void ended(std::size_t row, const platform::HttpResult& result);
    void keep(std::size_t row, std::wstring text);
};

// The tip of a row whose head did not come: "No description: <why>".
std::wstring noPreviewText(const platform::HttpResult& result);

} // namespace snipfetch
