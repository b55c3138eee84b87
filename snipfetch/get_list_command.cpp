// Get List: the catalogue's names that the local sniplet folder lacks, as
// unchecked rows in catalogue order.
#include "snipfetch/download_window.h"

#include "platform/file_name_case.h"
#include "platform/files.h"
#include "platform/http.h"
#include "platform/message_box.h"
#include "snipfetch/catalogue.h"
#include "snipfetch/sniplet_url.h"

#include <unordered_set>

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

// One listing of the folder, so each entry's test costs the same however many
// files the folder holds.
std::unordered_set<std::wstring> presentFiles(const std::wstring& folder) {
    std::unordered_set<std::wstring> present;
    for (const auto& name : platform::ordinaryFileNames(folder)) {
        present.insert(platform::fileNameCaseKey(name));
    }
    return present;
}

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
    const auto names = catalogueNames(decodeCatalogue(response.body));

    auto& list = newSniplets_;
    const auto present = presentFiles(snipletFolder);
    bool found = false;
    {
        const ListUpdate update(list);
        list.clear();
        for (const auto& name : names) {
            if (!present.contains(platform::fileNameCaseKey(name))) {
                list.addItem(name);
                found = true;
            }
        }
    }

    if (!found) {
        platform::messageBox(L"It appears there are no new add-ins to download.",
                             platform::mb::information, L"Notice");
    }
}

} // namespace snipfetch
