// Download: every checked row fetched from the server and stored under its
// name in the local sniplet folder.
#include "snipfetch/download_window.h"

#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/folder_writer.h"
#include "platform/http.h"
#include "platform/leftovers.h"
#include "platform/message_box.h"
#include "platform/taskbar_progress.h"
#include "snipfetch/sniplet_url.h"

namespace snipfetch {

namespace {

void reportFailure(platform::TaskbarProgress& progress) {
    progress.failed();
    platform::messageBox(L"An error occurred while trying to download the file(s).",
                         platform::mb::critical, L"Error");
}

enum class Outcome { failed, downloaded, nothingChecked };

// Fetches and stores every checked row, in list order, until the first failure.
// The press's connection and staging folder are gone by the time it returns,
// before the user is told anything.
Outcome downloadChecked(const platform::CheckList& list, const std::wstring& host,
                        const std::wstring& folderPath, platform::TaskbarProgress& progress) {
    platform::HttpClient http; // one connection for the whole press
    platform::FolderWriter folder(folderPath);
    auto outcome = Outcome::nothingChecked;
    const std::size_t total = list.checkedCount();
    std::size_t done = 0;
    progress.advance(done, total);
    for (std::size_t row = 0; row < list.count(); ++row) {
        if (!list.checked(row)) {
            continue;
        }
        const std::wstring name = list.item(row);
        // Rows come from the screened catalogue; a name that could leave the
        // folder is still never used as a path.
        if (!platform::isUsableFileName(name)) {
            return Outcome::failed;
        }
        // Written whole or not at all: the body goes to disk as it arrives, and
        // an earlier file of that name stays intact until the new one has fully
        // arrived. A failed transfer drops what came of it.
        auto file = folder.open(name);
        if (!http.get(snipletUrl(host, name), file).ok() || !file.commit().ok()) {
            return Outcome::failed;
        }
        outcome = Outcome::downloaded;
        progress.advance(++done, total);
    }
    return outcome;
}

} // namespace

void DownloadWindow::onDownloadClick() {
    platform::TaskbarProgress progress(*this);
    // Anything standing under the folder's name, a file too, is left alone; a
    // file in the way then fails the first write.
    if (!platform::entryExists(snipletFolder) && !platform::createFolder(snipletFolder).ok()) {
        reportFailure(progress);
        return;
    }
    // What a press that was cut off (the program killed) left in the folder.
    platform::removeLeftovers(snipletFolder);

    switch (downloadChecked(newSniplets_, host_, snipletFolder, progress)) {
    case Outcome::failed:
        reportFailure(progress);
        break;
    case Outcome::downloaded:
        progress.clear();
        platform::messageBox(L"Finished downloading file(s). You will need to restart the "
                             L"Dovuraviz in order to use them.",
                             platform::mb::information, L"Notice");
        break;
    case Outcome::nothingChecked:
        platform::messageBox(L"You must select at least one file to download.",
                             platform::mb::information, L"Notice");
        break;
    }
}

} // namespace snipfetch
