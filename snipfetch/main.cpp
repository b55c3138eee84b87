#include "platform/dll_search.h"
#include "platform/form.h"
#include "snipfetch/download_window.h"
#include "snipfetch/sniplet_url.h"

#include <memory>
#include <utility>

#ifndef SNIPFETCH_HOST
#error                                                                                             \
    "SNIPFETCH_HOST must name the sniplet server (https://host[:port], http://host[:port] or host[:port])"
#endif

// Transfers at once; builds for measurements set 1.
#ifndef SNIPFETCH_TRANSFERS
#define SNIPFETCH_TRANSFERS 4
#endif

// The maker's key for the signed index; none: the unsigned catalogue.
#ifndef SNIPFETCH_INDEX_KEY
#define SNIPFETCH_INDEX_KEY ""
#endif

#define SNIPFETCH_WIDEN_(text) L##text
#define SNIPFETCH_WIDEN(text) SNIPFETCH_WIDEN_(text)

int main() {
    platform::searchDllsInSystemFolderOnly();
    constexpr const wchar_t* host = SNIPFETCH_WIDEN(SNIPFETCH_HOST);
    static_assert(snipfetch::parseServerSetting(host).has_value(),
                  "SNIPFETCH_HOST must be https://host[:port], http://host[:port] or host[:port]");
    // Made only with a key, so that a build without one carries none of its code.
    std::unique_ptr<snipfetch::SignedListing> signedListing;
    if constexpr (sizeof(SNIPFETCH_INDEX_KEY) > 1) {
        signedListing = snipfetch::makeSignedListing(SNIPFETCH_INDEX_KEY);
    }
    snipfetch::DownloadWindow window(host, SNIPFETCH_TRANSFERS, std::move(signedListing));
    return platform::runApplication(window);
}
