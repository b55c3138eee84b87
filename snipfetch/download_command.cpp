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
#include "snipfetch/download_order.h"
#include "snipfetch/sniplet_url.h"

#include <memory>
#include <utility>
#include <vector>

namespace snipfetch {

namespace {

enum class Outcome { failed, downloaded, nothingChecked };

// Files fetched but not yet in place, at most: the ones below a slow file wait on
// the disk, each with a handle open.
constexpr std::size_t filesAhead = 32;

// A file on its way: written to the folder as it arrives and, with the maker's
// index, checked against what the maker signed for it.
struct FileOnItsWay {
    explicit FileOnItsWay(platform::FolderWriter::File opened) : file(std::move(opened)) {}
    platform::FolderWriter::File file;
    std::unique_ptr<BodyCheck> check;
    platform::ByteSink& sink() {
        if (check) {
            return *check;
        }
        return file;
    }
    // Whole and, where it is checked, the file that the maker signed.
    bool matches() { return !check || check->matches(); }
    bool differs() const { return check && check->differs(); }
};

// The files of a press on their way, by their number: a few dozen at most. Each
// stays where it is while its transfer writes to it.
class FilesOnTheirWay {
public:
    FileOnItsWay& add(std::size_t file, platform::FolderWriter::File opened) {
        return *files_.emplace_back(file, std::make_unique<FileOnItsWay>(std::move(opened))).second;
    }
    FileOnItsWay* find(std::size_t file) {
        for (auto& [number, onItsWay] : files_) {
            if (number == file) {
                return onItsWay.get();
            }
        }
        return nullptr;
    }
    // Without a commit: the earlier file stays, the temporary one goes.
    void drop(std::size_t file) {
        std::erase_if(files_, [file](const auto& entry) { return entry.first == file; });
    }

private:
    std::vector<std::pair<std::size_t, std::unique_ptr<FileOnItsWay>>> files_;
};

std::vector<std::size_t> checkedRows(const platform::CheckList& list) {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < list.count(); ++row) {
        if (list.checked(row)) {
            rows.push_back(row);
        }
    }
    return rows;
}

// Fetches the checked rows, several at once, and puts each file in place in list
// order. At the first failure in list order the press ends with the folder as a
// press that went one file at a time would have left it: the files above are
// finished and put in place, the transfers below are cancelled and nothing of
// them is written. The press's connections and staging folder are gone by the
// time it returns, before the user is told anything.
//
// signedListing: what the maker signed for each row; null without the maker's
// index. A file that differs from it fails like a broken transfer, and when it
// is the first failure in list order its name goes to unsignedName.
Outcome downloadChecked(const platform::CheckList& list, const std::wstring& host,
                        const std::wstring& folderPath, std::size_t transfersAtOnce,
                        SignedListing* signedListing, platform::TaskbarProgress& progress,
                        std::wstring& unsignedName) {
    const auto rows = checkedRows(list);
    if (rows.empty()) {
        return Outcome::nothingChecked;
    }
    progress.advance(0, rows.size());
    platform::FolderWriter folder(folderPath);
    // Written whole or not at all: each body goes to disk as it arrives, and an
    // earlier file of that name stays intact until the new one is put in place.
    // Declared before the transfers, so that they are let go first.
    FilesOnTheirWay files;
    platform::HttpTransfers transfers(transfersAtOnce);
    DownloadOrder order(rows.size(), transfersAtOnce, filesAhead);
    std::vector<bool> differed(rows.size());
    for (;;) {
        while (const auto file = order.nextToStart()) {
            const std::wstring name = list.item(rows[*file]);
            // Rows come from the screened catalogue; a name that could leave the
            // folder is still never used as a path.
            if (!platform::isUsableFileName(name)) {
                order.failed(*file);
                break;
            }
            auto& onItsWay = files.add(*file, folder.open(name));
            if (signedListing) {
                onItsWay.check = signedListing->checkFor(rows[*file], onItsWay.file);
                if (!onItsWay.check) {
                    files.drop(*file);
                    order.failed(*file);
                    break;
                }
            }
            if (!transfers.start(*file, snipletUrl(host, name), onItsWay.sink())) {
                files.drop(*file);
                order.failed(*file);
            }
        }
        while (const auto file = order.nextToCommit()) {
            auto* arrived = files.find(*file);
            if (arrived && arrived->matches() && arrived->file.commit().ok()) {
                order.committed(*file);
                progress.advance(order.committedCount(), rows.size());
            } else {
                differed[*file] = arrived && arrived->differs();
                order.failed(*file);
            }
            files.drop(*file);
        }
        for (const std::size_t file : order.takeCancelled()) {
            transfers.cancel(file);
            files.drop(file);
        }
        if (order.finished()) {
            break;
        }
        const auto ended = transfers.next();
        if (!ended) {
            return Outcome::failed; // the order waits for a transfer that is not there
        }
        if (ended->result.ok()) {
            order.arrived(ended->tag);
        } else {
            const auto* failed = files.find(ended->tag);
            differed[ended->tag] = failed && failed->differs();
            order.failed(ended->tag);
            files.drop(ended->tag); // what came of it goes at once
        }
    }
    if (const auto first = order.firstFailure(); first && differed[*first]) {
        unsignedName = list.item(rows[*first]);
    }
    return order.anyFailed() ? Outcome::failed : Outcome::downloaded;
}

} // namespace

void DownloadWindow::onDownloadClick() {
    platform::TaskbarProgress progress(*this);
    // Anything standing under the folder's name, a file too, is left alone; a
    // file in the way then fails the first write.
    if (!platform::entryExists(snipletFolder) && !platform::createFolder(snipletFolder).ok()) {
        reportFailure(progress, L"the file(s)");
        return;
    }
    // What a press that was cut off (the program killed) left in the folder.
    platform::removeLeftovers(snipletFolder);
    if (signedListing_) {
        signedListing_->recordAccepted(snipletFolder);
    }

    std::wstring unsignedName;
    switch (downloadChecked(newSniplets_, host_, snipletFolder, transfersAtOnce_,
                            signedListing_.get(), progress, unsignedName)) {
    case Outcome::failed:
        reportFailure(progress, L"the file(s)",
                      unsignedName.empty()
                          ? std::wstring()
                          : unsignedName + L" is not the file that the maker signed.");
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
