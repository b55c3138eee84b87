// Get List in a build with the maker's key: the names of the maker's signed
// index that the local sniplet folder lacks, each with the size and SHA-256 its
// Download is checked against. The catalogue is never asked for.
#include "snipfetch/download_window.h"

#include "platform/clock.h"
#include "platform/crypto.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/http.h"
#include "platform/message_box.h"
#include "platform/taskbar_progress.h"
#include "platform/utf8.h"
#include "snipfetch/new_names.h"
#include "snipfetch/sequence_record.h"
#include "snipfetch/sniplet_url.h"

namespace snipfetch {

namespace {

void refuseList(platform::TaskbarProgress& progress, const std::wstring& reason) {
    progress.failed();
    std::wstring text = L"An error occurred while trying to download the list.";
    if (!reason.empty()) {
        text += L"\n\n" + reason;
    }
    platform::messageBox(text, platform::mb::critical, L"Error");
}

const std::wstring notSigned = L"The list is not signed by the maker.";

} // namespace

void DownloadWindow::onGetSignedListClick() {
    platform::TaskbarProgress progress(*this);
    progress.busy();
    auto present = platform::ordinaryFileNameSet(snipletFolder);
    platform::prepareCryptography();
    platform::HttpClient http;
    auto response = http.get(indexUrl(host_), largestIndex);
    if (!response.ok()) {
        // A missing index (any answer but 200) or one past every limit is no
        // signed list; a failed connection keeps the plain text.
        const bool answered = response.failure == platform::HttpFailure::badStatus ||
                              response.failure == platform::HttpFailure::tooLarge;
        refuseList(progress, answered ? notSigned : std::wstring());
        return;
    }
    const std::string_view text = response.body;
    const auto index = readIndex(text);
    if (!index || !indexKey_ || !isSignedBy(*index, text, *indexKey_)) {
        refuseList(progress, notSigned);
        return;
    }
    if (index->expires <= platform::secondsSinceEpoch()) {
        refuseList(progress, L"The list expired on " + dateOf(index->expires) + L".");
        return;
    }
    if (index->sequence < recordedSequence(snipletFolder)) {
        refuseList(progress, L"The list is older than one already used here.");
        return;
    }
    // Get List never makes the folder; Download records the sequence there later.
    if (platform::folderExists(snipletFolder)) {
        recordSequence(snipletFolder, index->sequence);
    }

    std::vector<platform::CheckList::Piece> rows;
    std::vector<SignedFile> signedFiles;
    rows.reserve(index->entries.size());
    signedFiles.reserve(index->entries.size());
    NewNames newNames(std::move(present));
    std::wstring name;
    for (const auto& entry : index->entries) {
        const auto utf8 = text.substr(entry.nameOffset, entry.nameLength);
        name.clear();
        platform::appendUtf8(utf8, &name); // the whole index is UTF-8
        // Screened as a catalogue's names are: a name from the server never
        // leads outside the folder.
        if (platform::isUsableFileName(name) && newNames.isNew(utf8, name)) {
            rows.push_back({entry.nameOffset, entry.nameLength});
            signedFiles.push_back({entry.sha256, entry.size});
        }
    }
    const bool found = !rows.empty();
    newSniplets_.setItems(std::move(response.body), std::move(rows));
    signedFiles_ = std::move(signedFiles);
    acceptedSequence_ = index->sequence;
    progress.clear();

    if (!found) {
        platform::messageBox(L"It appears there are no new add-ins to download.",
                             platform::mb::information, L"Notice");
    }
}

} // namespace snipfetch
