// Get List in a build with the maker's key: the names of the maker's signed
// index that the local sniplet folder lacks. The catalogue is never asked for.
#include "snipfetch/download_window.h"

#include "platform/message_box.h"
#include "platform/taskbar_progress.h"

namespace snipfetch {

void DownloadWindow::onGetSignedListClick() {
    platform::TaskbarProgress progress(*this);
    progress.busy();
    auto list = signedListing_->fetchList(host_, snipletFolder);
    if (!list.accepted) {
        progress.failed();
        std::wstring text = L"An error occurred while trying to download the list.";
        if (!list.refusal.empty()) {
            text += L"\n\n" + list.refusal;
        }
        platform::messageBox(text, platform::mb::critical, L"Error");
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
