#include "snipfetch/download_window.h"

#include "platform/message_box.h"
#include "platform/taskbar_progress.h"
#include "snipfetch/download_window_layout.h"

namespace snipfetch {

DownloadWindow::DownloadWindow(std::wstring_view host, std::size_t transfersAtOnce,
                               std::unique_ptr<SignedListing> signedListing)
    : platform::Form(downloadWindowLayout()), newSniplets_(checkList(L"lstAddIns")),
      getListButton_(commandButton(L"cmdGetList")), downloadButton_(commandButton(L"cmdDownload")),
      host_(host), transfersAtOnce_(transfersAtOnce), signedListing_(std::move(signedListing)),
      previews_(host_, newSniplets_) {
    onLoad = [this] {
        snipletFolder = L"Sniplets";
        previews_.forget();
    };
    getListButton_.onClick = [this] {
        stopPreviews();
        if (signedListing_) {
            onGetSignedListClick();
        } else {
            onGetListClick();
        }
    };
    downloadButton_.onClick = [this] {
        stopPreviews();
        onDownloadClick();
    };
    newSniplets_.tipText = [this](std::size_t row) { return previews_.tipFor(row); };
    newSniplets_.onRowsReplaced = [this] { previews_.forget(); };
    previews_.onArrived = [this](std::size_t row) { newSniplets_.tipChanged(row); };
}

void DownloadWindow::noticeNothingNew() {
    platform::messageBox(L"It appears there are no new add-ins to download.",
                         platform::mb::information, L"Notice");
}

void DownloadWindow::reportFailure(platform::TaskbarProgress& progress, std::wstring_view what,
                                   const std::wstring& reason) {
    progress.failed();
    std::wstring text = L"An error occurred while trying to download ";
    text += what;
    text += L".";
    if (!reason.empty()) {
        text += L"\n\n" + reason;
    }
    platform::messageBox(text, platform::mb::critical, L"Error");
}

void DownloadWindow::stopPreviews() {
    previews_.cancel();
    newSniplets_.hideTip();
}

} // namespace snipfetch
