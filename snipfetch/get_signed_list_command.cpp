// Get List in a build with the maker's key: the names of the maker's signed
// index that the local sniplet folder lacks. The catalogue is never asked for.
#include "snipfetch/download_window.h"

#include "platform/taskbar_progress.h"

namespace snipfetch {

void DownloadWindow::onGetSignedListClick() {
    platform::TaskbarProgress progress(*this);
    progress.busy();
    auto list = signedListing_->fetchList(host_, snipletFolder);
    if (!list.accepted) {
        reportFailure(progress, L"the list", list.refusal);
        return;
    }
    const bool found = !list.rows.empty();
    newSniplets_.setItems(std::move(list.text), std::move(list.rows));
    progress.clear();
    if (!found) {
        noticeNothingNew();
    }
}

} // namespace snipfetch
