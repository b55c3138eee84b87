// Get List: the catalogue's names that the local sniplet folder lacks, as
// unchecked rows in catalogue order.
#include "snipfetch/download_window.h"

#include "platform/files.h"
#include "platform/http.h"
#include "platform/taskbar_progress.h"
#include "snipfetch/catalogue.h"
#include "snipfetch/new_names.h"
#include "snipfetch/sniplet_url.h"

#include <algorithm>

namespace snipfetch {

namespace {

// Far above any real catalogue; a body with no end fails here instead of
// growing the process until memory runs out.
constexpr std::size_t largestCatalogue = 64u << 20;

} // namespace

void DownloadWindow::onGetListClick() {
    platform::TaskbarProgress progress(*this);
    progress.busy();
    // One listing of the folder, so each name's test costs the same however many
    // files the folder holds. It comes before the catalogue: the system's memory
    // for the listing of a large folder is given back before the body arrives.
    auto present = platform::ordinaryFileNameSet(snipletFolder);
    platform::HttpClient http;
    auto response = http.get(catalogueUrl(host_), largestCatalogue);
    if (!response.ok()) {
        reportFailure(progress, L"the list");
        return;
    }

    // The rows are pieces of the catalogue as it came.
    auto catalogue = catalogueAsUtf8(std::move(response.body));
    std::vector<platform::CheckList::Piece> rows;
    // At most one row per entry: room for all of them, so that the rows are
    // never copied as they grow (memory not written to is not taken).
    rows.reserve(static_cast<std::size_t>(std::count(catalogue.begin(), catalogue.end(), '\n')) +
                 1);
    NewNames newNames(std::move(present));
    forEachCatalogueName(
        catalogue, [&](std::wstring_view name, std::size_t offset, std::size_t length) {
            if (newNames.isNew(std::string_view(catalogue).substr(offset, length), name)) {
                rows.push_back(
                    {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)});
            }
        });
    const bool found = !rows.empty();
    newSniplets_.setItems(std::move(catalogue), std::move(rows));
    progress.clear();

    if (!found) {
        noticeNothingNew();
    }
}

} // namespace snipfetch
