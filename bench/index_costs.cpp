// Where the time of a Get List from the signed index goes, step by step, against
// the same names from the catalogue: each fetch, the catalogue's names, the
// index's reading (form and UTF-8), its hash and signature check, and its names.
// Usage: index_costs <host[:port]> <maker's key, base64> <sniplet folder>
#include "platform/crypto.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/http.h"
#include "platform/utf8.h"
#include "snipfetch/catalogue.h"
#include "snipfetch/new_names.h"
#include "snipfetch/signed_index.h"
#include "snipfetch/signed_listing.h"
#include "snipfetch/sniplet_url.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) {
        out += static_cast<char>(*text);
    }
    return out;
}

// Keeps the body and hashes it as it comes, up to the start of its last line.
class HashingSink final : public platform::ByteSink {
public:
    platform::Status append(std::string_view bytes) override {
        body.append(bytes);
        std::string_view seen = body;
        if (seen.ends_with('\n')) {
            seen.remove_suffix(1);
        }
        const auto lastLf = seen.rfind('\n', seen.size());
        if (lastLf != seen.npos && lastLf + 1 > hashed) {
            hash.add(seen.substr(hashed, lastLf + 1 - hashed));
            hashed = lastLf + 1;
        }
        return {};
    }
    void expect(unsigned long long length) override { body.reserve(length); }
    std::string body;
    std::size_t hashed = 0;
    platform::Sha256 hash;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: index_costs <host[:port]> <key> <sniplet folder>\n", stderr);
        return 2;
    }
    const std::wstring host = argv[1];
    const auto key = snipfetch::decodeIndexKey(narrow(argv[2]));
    const std::wstring folder = argv[3];
    auto start = Clock::now();
    platform::prepareCryptography();
    const double prepare = secondsSince(start);
    platform::HttpClient http;

    start = Clock::now();
    auto catalogue = http.get(snipfetch::catalogueUrl(host), 64u << 20);
    const double catalogueFetch = secondsSince(start);
    start = Clock::now();
    auto utf8 = snipfetch::catalogueAsUtf8(std::move(catalogue.body));
    std::size_t catalogueNew = 0;
    {
        snipfetch::NewNames newNames(platform::ordinaryFileNameSet(folder));
        snipfetch::forEachCatalogueName(
            utf8, [&](std::wstring_view name, std::size_t offset, std::size_t length) {
                catalogueNew +=
                    newNames.isNew(std::string_view(utf8).substr(offset, length), name) ? 1 : 0;
            });
    }
    const double catalogueNames = secondsSince(start);

    start = Clock::now();
    auto response = http.get(snipfetch::indexUrl(host), snipfetch::largestIndex);
    const double indexFetch = secondsSince(start);
    if (!catalogue.ok() || !response.ok() || !key) {
        std::fputs("the catalogue, the index or the key is missing\n", stderr);
        return 1;
    }
    const std::string_view text = response.body;
    start = Clock::now();
    const bool wellFormed = platform::appendUtf8(text, nullptr);
    const double utf8Check = secondsSince(start);
    start = Clock::now();
    const auto index = snipfetch::readIndex(text);
    const double read = secondsSince(start);
    if (!wellFormed || !index) {
        std::fputs("the index is not in its form\n", stderr);
        return 1;
    }
    start = Clock::now();
    platform::Sha256 hash;
    hash.add(text.substr(0, index->signedLength));
    hash.finish();
    const double hashOnly = secondsSince(start);
    start = Clock::now();
    const bool signedByKey = snipfetch::isSignedBy(*index, text, *key);
    const double verify = secondsSince(start);
    start = Clock::now();
    HashingSink sink;
    http.get(snipfetch::indexUrl(host), sink);
    sink.hash.finish();
    const double fetchAndHash = secondsSince(start);
    std::printf("fetch_and_hash=%.3f hashed=%zu signed_length=%zu\n", fetchAndHash, sink.hashed,
                index->signedLength);
    start = Clock::now();
    std::size_t indexNew = 0;
    {
        snipfetch::NewNames newNames(platform::ordinaryFileNameSet(folder));
        std::wstring name;
        for (const auto& entry : index->entries) {
            const auto piece = text.substr(entry.nameOffset, entry.nameLength);
            name.clear();
            platform::appendUtf8(piece, &name);
            indexNew += platform::isUsableFileName(name) && newNames.isNew(piece, name) ? 1 : 0;
        }
    }
    const double indexNames = secondsSince(start);
    start = Clock::now();
    const auto listed = snipfetch::makeSignedListing(narrow(argv[2]))->fetchList(host, folder);
    const double wholeListing = secondsSince(start);
    std::printf(
        "RESULT catalogue_bytes=%zu catalogue_fetch=%.3f catalogue_names=%.3f "
        "catalogue_new=%zu prepare=%.3f index_bytes=%zu index_fetch=%.3f utf8_check=%.3f read=%.3f "
        "hash=%.3f verify=%.3f index_names=%.3f index_new=%zu signed=%d whole=%.3f rows=%zu\n",
        utf8.size(), catalogueFetch, catalogueNames, catalogueNew, prepare, text.size(), indexFetch,
        utf8Check, read, hashOnly, verify, indexNames, indexNew, signedByKey ? 1 : 0, wholeListing,
        listed.rows.size());
    return signedByKey ? 0 : 1;
}
