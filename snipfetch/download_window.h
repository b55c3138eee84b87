// snipfetch's one window: the catalogue's new sniplets as a check list, Get
// List to fill it and Download to fetch the checked ones.
#pragma once

#include "platform/form.h"
#include "platform/taskbar_progress.h"
#include "snipfetch/signed_listing.h"
#include "snipfetch/sniplet_previews.h"

#include <cstddef>
#include <memory>
#include <string>

namespace snipfetch {

class DownloadWindow : public platform::Form {
public:
    // host: the sniplet server, as snipfetch/sniplet_url.h reads it. Download
    // runs that many transfers at once, each on a connection of its own, so that
    // a far server's round trips overlap (1 only in builds for measurements).
    // signedListing: in a build with the maker's key, Get List reads the signed
    // index instead of the catalogue, and Download checks each file against it.
    explicit DownloadWindow(std::wstring_view host, std::size_t transfersAtOnce = 4,
                            std::unique_ptr<SignedListing> signedListing = nullptr);

    // The local sniplet folder, relative to the current directory at each use.
    std::wstring snipletFolder;

private:
    // Resolved once from the layout table (download_window_layout.cpp maps each
    // designer name to its member).
    platform::CheckList& newSniplets_;
    platform::CommandButton& getListButton_;
    platform::CommandButton& downloadButton_;

    void onGetListClick();
    void onGetSignedListClick();
    void onDownloadClick();
    void noticeNothingNew();
    // The Error of a press that failed: "An error occurred while trying to
    // download <what>.", then the reason after a blank line when there is one.
    static void reportFailure(platform::TaskbarProgress& progress, std::wstring_view what,
                              const std::wstring& reason = {});

    std::wstring host_;
    std::size_t transfersAtOnce_;

    // Only in a build with the maker's key.
    std::unique_ptr<SignedListing> signedListing_;

    // The rows' tips; a press stops what they fetch.
    SnipletPreviews previews_;
    void stopPreviews();
};

} // namespace snipfetch
