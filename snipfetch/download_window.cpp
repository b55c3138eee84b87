#include "snipfetch/download_window.h"

#include "snipfetch/download_window_layout.h"

namespace snipfetch {

DownloadWindow::DownloadWindow(std::wstring_view host, std::size_t transfersAtOnce,
                               std::string_view indexKey)
    : platform::Form(downloadWindowLayout()), newSniplets_(checkList(L"lstAddIns")),
      getListButton_(commandButton(L"cmdGetList")), downloadButton_(commandButton(L"cmdDownload")),
      host_(host), transfersAtOnce_(transfersAtOnce), signedIndexRequired_(!indexKey.empty()),
      indexKey_(decodeIndexKey(indexKey)) {
    onLoad = [this] { snipletFolder = L"Sniplets"; };
    getListButton_.onClick = [this] {
        if (signedIndexRequired_) {
            onGetSignedListClick();
        } else {
            onGetListClick();
        }
    };
    downloadButton_.onClick = [this] { onDownloadClick(); };
}

} // namespace snipfetch
