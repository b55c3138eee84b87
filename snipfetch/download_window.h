// snipfetch's one window: the catalogue's new sniplets as a check list, Get
// List to fill it and Download to fetch the checked ones.
#pragma once

#include "platform/form.h"
#include "snipfetch/signed_index.h"
#include "snipfetch/sniplet_previews.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace snipfetch {

class DownloadWindow : public platform::Form {
public:
    // host: the sniplet server, as snipfetch/sniplet_url.h reads it. Download
    // runs that many transfers at once, each on a connection of its own, so that
    // a far server's round trips overlap (1 only in builds for measurements).
    // indexKey: the maker's public key (base64 of the P-256 point 04 X Y), empty
    // for a build without one. With a key, Get List reads the signed index
    // instead of the catalogue, and Download checks each file against it.
    explicit DownloadWindow(std::wstring_view host, std::size_t transfersAtOnce = 4,
                            std::string_view indexKey = {});

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

    std::wstring host_;
    std::size_t transfersAtOnce_;

    // A build with the maker's key. A key that does not decode verifies nothing.
    bool signedIndexRequired_ = false;
    std::optional<P256Point> indexKey_;
    // Per row of the list, what the maker signed for its file, while the list
    // comes from an accepted index; and that index's sequence.
    std::vector<SignedFile> signedFiles_;
    std::uint64_t acceptedSequence_ = 0;

    // The rows' tips; a press stops what they fetch.
    SnipletPreviews previews_;
    void stopPreviews();
};

} // namespace snipfetch
