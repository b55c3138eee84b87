// snipfetch's one window: the catalogue's new sniplets as a check list, Get
// List to fill it and Download to fetch the checked ones.
#pragma once

#include "platform/form.h"
#include "snipfetch/sniplet_previews.h"

#include <cstddef>
#include <string>

namespace snipfetch {

class DownloadWindow : public platform::Form {
public:
    // host: the sniplet server, as snipfetch/sniplet_url.h reads it. Download
    // runs that many transfers at once, each on a connection of its own, so that
    // a far server's round trips overlap (1 only in builds for measurements).
    explicit DownloadWindow(std::wstring_view host, std::size_t transfersAtOnce = 4);

    // The local sniplet folder, relative to the current directory at each use.
    std::wstring snipletFolder;

private:
    // Resolved once from the layout table (download_window_layout.cpp maps each
    // designer name to its member).
    platform::CheckList& newSniplets_;
    platform::CommandButton& getListButton_;
    platform::CommandButton& downloadButton_;

    void onGetListClick();
    void onDownloadClick();

    std::wstring host_;
    std::size_t transfersAtOnce_;
    // The rows' tips; a press stops what they fetch.
    SnipletPreviews previews_;
    void stopPreviews();
};

} // namespace snipfetch
