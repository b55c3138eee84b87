#include "snipfetch/download_window.h"

#include "snipfetch/download_window_layout.h"

namespace snipfetch {

DownloadWindow::DownloadWindow(std::wstring_view host, std::size_t transfersAtOnce,
                               std::string_view indexKey)
    : platform::Form(downloadWindowLayout()), newSniplets_(checkList(L"lstAddIns")),
      getListButton_(commandButton(L"cmdGetList")), downloadButton_(commandButton(L"cmdDownload")),
      host_(host), transfersAtOnce_(transfersAtOnce), signedIndexRequired_(!indexKey.empty()),
      indexKey_(decodeIndexKey(indexKey)), previews_(host_, newSniplets_) {
    onLoad = [this] {
        snipletFolder = L"Sniplets";
        previews_.forget();
    };
    getListButton_.onClick = [this] {
        stopPreviews();
        if (signedIndexRequired_) {
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

void DownloadWindow::stopPreviews() {
    previews_.cancel();
    newSniplets_.hideTip();
}

} // namespace snipfetch
