// Get List: the catalogue's names that the local sniplet folder lacks, as
// unchecked rows in catalogue order.
#include "snipfetch/download_window.h"

#include "platform/file_name_case.h"
#include "platform/files.h"
#include "platform/http.h"
#include "platform/message_box.h"
#include "snipfetch/catalogue.h"
#include "snipfetch/sniplet_url.h"

namespace snipfetch {

namespace {

// Holds the list's redraw off for a walk, also when the walk ends early.
class ListUpdate {
public:
    explicit ListUpdate(platform::CheckList& list) : list_(list) { list_.beginUpdate(); }
    ~ListUpdate() { list_.endUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    platform::CheckList& list_;
};

// Far above any real catalogue; a body with no end fails here instead of
// growing the process until memory runs out.
constexpr std::size_t largestCatalogue = 64u << 20;

} // namespace

void DownloadWindow::onGetListClick() {
    platform::HttpClient http;
    const auto response = http.get(catalogueUrl(host_), largestCatalogue);
    if (!response.ok()) {
        platform::messageBox(L"An error occurred while trying to download the list.",
                             platform::mb::critical, L"Error");
        return;
    }

    // One listing of the folder, so each name's test costs the same however
    // many files the folder holds. An empty folder needs no case keys at all.
    const auto present = platform::ordinaryFileNameSet(snipletFolder);
    std::wstring key;
    auto& list = newSniplets_;
    bool found = false;
    {
        const ListUpdate update(list);
        list.clear();
        // No name takes more characters than its bytes in the body.
        list.reserve(response.body.size());
        forEachCatalogueName(response.body, [&](std::wstring_view name) {
            if (!present.empty()) {
                platform::fileNameCaseKey(name, key);
                if (present.containsKey(key)) {
                    return;
                }
            }
            list.addItem(name);
            found = true;
        });
    }

    if (!found) {
        platform::messageBox(L"It appears there are no new add-ins to download.",
                             platform::mb::information, L"Notice");
    }
}

} // namespace snipfetch
