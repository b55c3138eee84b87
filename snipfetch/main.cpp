#include "platform/dll_search.h"
#include "platform/form.h"
#include "snipfetch/download_window.h"

#ifndef SNIPFETCH_HOST
#error "SNIPFETCH_HOST must name the sniplet server (host or host:port)"
#endif

#define SNIPFETCH_WIDEN_(text) L##text
#define SNIPFETCH_WIDEN(text) SNIPFETCH_WIDEN_(text)

int main() {
    platform::searchDllsInSystemFolderOnly();
    constexpr const wchar_t* host = SNIPFETCH_WIDEN(SNIPFETCH_HOST);
    snipfetch::DownloadWindow window(host);
    return platform::runApplication(window);
}
