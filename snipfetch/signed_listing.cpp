// The signed index behind Get List and Download: fetched, checked against the
// maker's key, the clock and the folder's record, and kept for Download.
#include "snipfetch/signed_listing.h"

#include "platform/clock.h"
#include "platform/crypto.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/http.h"
#include "platform/utf8.h"
#include "snipfetch/index_body.h"
#include "snipfetch/new_names.h"
#include "snipfetch/sequence_record.h"
#include "snipfetch/signed_body_check.h"
#include "snipfetch/signed_index.h"
#include "snipfetch/sniplet_url.h"

#include <cstdint>
#include <optional>
#include <utility>

namespace snipfetch {

namespace {

SignedList refused(std::wstring reason) {
    SignedList list;
    list.refusal = std::move(reason);
    return list;
}

const wchar_t notSigned[] = L"The list is not signed by the maker.";

class MakerSignedListing final : public SignedListing {
public:
    explicit MakerSignedListing(std::string_view indexKey) : key_(decodeIndexKey(indexKey)) {}

    SignedList fetchList(const std::wstring& host, const std::wstring& folder) override;
    void recordAccepted(const std::wstring& folder) override {
        if (acceptedSequence_ != 0) {
            recordSequence(folder, acceptedSequence_);
        }
    }
    std::unique_ptr<BodyCheck> checkFor(std::size_t row, platform::ByteSink& next) override {
        if (row >= signedFiles_.size()) {
            return nullptr;
        }
        return std::make_unique<SignedBodyCheck>(signedFiles_[row].sha256, signedFiles_[row].size,
                                                 next);
    }

private:
    std::optional<P256Point> key_;
    // Per row of the accepted list, what the maker signed for its file; and that
    // index's sequence.
    std::vector<SignedFile> signedFiles_;
    std::uint64_t acceptedSequence_ = 0;
};

SignedList MakerSignedListing::fetchList(const std::wstring& host, const std::wstring& folder) {
    platform::prepareCryptography();
    // The index arrives, and is hashed, on the transfer's own thread while this
    // one lists the folder. Declared first, the body outlives the transfer.
    IndexBody body(largestIndex);
    platform::HttpTransfers transfer(1);
    const bool started = transfer.start(0, indexUrl(host), body);
    auto present = platform::ordinaryFileNameSet(folder);
    const auto ended = started ? transfer.next() : std::nullopt;
    if (!ended || !ended->result.ok()) {
        // A missing index (any answer but 200) or one past every limit is no
        // signed list; a failed connection keeps the plain text.
        const bool answered =
            ended && (ended->result.failure == platform::HttpFailure::badStatus || body.tooLarge());
        return refused(answered ? notSigned : L"");
    }
    const std::string_view text = body.text();
    const auto index = body.index();
    const auto signedPart = index ? body.digestOf(index->signedLength) : std::nullopt;
    if (!signedPart || !key_ || !isSignedBy(*index, *signedPart, *key_)) {
        return refused(notSigned);
    }
    if (index->expires <= platform::secondsSinceEpoch()) {
        return refused(L"The list expired on " + dateOf(index->expires) + L".");
    }
    if (index->sequence < recordedSequence(folder)) {
        return refused(L"The list is older than one already used here.");
    }
    // Get List never makes the folder; Download records the sequence there later.
    if (platform::folderExists(folder)) {
        recordSequence(folder, index->sequence);
    }

    SignedList list;
    std::vector<SignedFile> signedFiles;
    list.rows.reserve(index->entries.size());
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
            list.rows.push_back({entry.nameOffset, entry.nameLength});
            signedFiles.push_back({entry.sha256, entry.size});
        }
    }
    list.accepted = true;
    list.text = body.take();
    signedFiles_ = std::move(signedFiles);
    acceptedSequence_ = index->sequence;
    return list;
}

} // namespace

std::unique_ptr<SignedListing> makeSignedListing(std::string_view indexKey) {
    return std::make_unique<MakerSignedListing>(indexKey);
}

} // namespace snipfetch
