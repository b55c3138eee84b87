#include "snipfetch/download_window.h"

#include "snipfetch/download_window_layout.h"

namespace snipfetch {

frmAddIns::frmAddIns(std::wstring_view host) : platform::Form(downloadWindowLayout()), host_(host) {
    onLoad = [this] { Form_Load(); };
    commandButton(L"cmdGetList").onClick = [this] { cmdGetList_Click(); };
    commandButton(L"cmdDownload").onClick = [this] { cmdDownload_Click(); };
}

void frmAddIns::Form_Load() {
    snipletFolder = L"Sniplets";
}

} // namespace snipfetch
