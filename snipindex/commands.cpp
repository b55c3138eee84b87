#include "snipindex/commands.h"

#include "snipfetch/signed_index.h"
#include "snipindex/folder_files.h"
#include "snipindex/signing_key.h"

#include <fcntl.h>
#include <ostream>
#include <unistd.h>

namespace snipindex {

namespace fs = std::filesystem;

namespace {

std::string base64Of(const snipfetch::P256Point& point) {
    return encodeBase64(
        std::string_view(reinterpret_cast<const char*>(point.data()), point.size()));
}

// Made with mode 0600 and O_EXCL: an existing file is never touched.
bool writeNewPrivateFile(const fs::path& path, const std::string& bytes) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (file < 0) {
        return false;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const auto step = write(file, bytes.data() + written, bytes.size() - written);
        if (step <= 0) {
            close(file);
            unlink(path.c_str());
            return false;
        }
        written += static_cast<std::size_t>(step);
    }
    return close(file) == 0;
}

// The sequence of the folder's index when it is one this key signed, else 0.
std::uint64_t previousSequence(const fs::path& folder, const SigningKey& key) {
    const auto text = readWholeFile(folder / "Sniplets.index");
    if (!text) {
        return 0;
    }
    const auto index = snipfetch::readIndex(*text);
    if (!index || !snipfetch::isSignedBy(*index, *text, key.publicPoint())) {
        return 0;
    }
    return index->sequence;
}

} // namespace

int keygen(const fs::path& keyFile, std::ostream& out, std::ostream& err) {
    if (fs::exists(fs::symlink_status(keyFile))) {
        err << keyFile.string() << " already exists: it is left as it is.\n";
        return 1;
    }
    const auto key = SigningKey::generate();
    if (!key || !writeNewPrivateFile(keyFile, key->pem())) {
        err << "Cannot write a new key to " << keyFile.string() << ".\n";
        return 1;
    }
    out << "SNIPFETCH_INDEX_KEY=" << base64Of(key->publicPoint()) << "\n";
    return 0;
}

int publish(const fs::path& folder, const fs::path& keyFile, int days, std::int64_t now,
            std::ostream& out, std::ostream& err) {
    const auto pem = readWholeFile(keyFile);
    const auto key = pem ? SigningKey::fromPem(*pem) : std::nullopt;
    if (!key) {
        err << keyFile.string() << " is not a P-256 private key.\n";
        return 1;
    }
    std::vector<std::string> problems;
    const auto files = snipletFiles(folder, problems);
    if (!files) {
        for (const auto& problem : problems) {
            err << problem << "\n";
        }
        err << "Nothing was written.\n";
        return 1;
    }
    const std::uint64_t sequence = previousSequence(folder, *key) + 1;
    const std::int64_t expires = now + std::int64_t{days} * 86400;
    const auto index = signedIndexText(sequence, expires, *files, *key);
    if (!index) {
        err << "The index could not be signed. Nothing was written.\n";
        return 1;
    }
    // The index last: a snipfetch that reads it finds every file it names.
    if (!replaceFile(folder / "Sniplets.txt", catalogueText(*files)) ||
        !replaceFile(folder / "Sniplets.index", *index)) {
        err << "Cannot write into " << folder.string() << ".\n";
        return 1;
    }
    out << "Published " << files->size() << " sniplet(s), sequence " << sequence << ", expires "
        << snipfetch::expiryText(expires) << ".\n";
    return 0;
}

int verify(const fs::path& folder, const std::string& keyText, std::int64_t now, std::ostream& out,
           std::ostream& err) {
    const auto key = snipfetch::decodeIndexKey(keyText);
    if (!key) {
        err << "The key is not base64 of a P-256 point 04 X Y.\n";
        return 2;
    }
    const auto text = readWholeFile(folder / "Sniplets.index");
    if (!text) {
        err << "Sniplets.index: missing or unreadable.\n";
        return 1;
    }
    const auto index = snipfetch::readIndex(*text);
    if (!index) {
        err << "Sniplets.index: not in the form of an index.\n";
        return 1;
    }
    int problems = 0;
    auto problem = [&](const std::string& what) {
        err << what << "\n";
        ++problems;
    };
    if (!snipfetch::isSignedBy(*index, *text, *key)) {
        problem("Sniplets.index: the signature does not verify with this key.");
    }
    if (index->expires <= now) {
        problem("Sniplets.index: expired at " + snipfetch::expiryText(index->expires) + ".");
    }
    std::vector<PublishedFile> listed;
    for (const auto& entry : index->entries) {
        const std::string name = text->substr(entry.nameOffset, entry.nameLength);
        listed.push_back({name, {}, 0});
        const auto file = hashFile(folder / name);
        if (!file) {
            problem(name + ": missing or unreadable.");
        } else if (file->size != entry.size) {
            problem(name + ": " + std::to_string(file->size) + " bytes, the index says " +
                    std::to_string(entry.size) + ".");
        } else if (file->sha256 != entry.sha256) {
            problem(name + ": its SHA-256 differs from the index.");
        }
    }
    if (readWholeFile(folder / "Sniplets.txt") != catalogueText(listed)) {
        problem("Sniplets.txt: does not list the index's names in the same order.");
    }
    if (problems != 0) {
        return 1;
    }
    out << "Sniplets.index: " << index->entries.size() << " sniplet(s), sequence "
        << index->sequence << ", expires " << snipfetch::expiryText(index->expires)
        << ": no problem.\n";
    return 0;
}

} // namespace snipindex
