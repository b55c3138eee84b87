// Where the time of a Get List from the signed index goes, step by step, against
// the same names from the catalogue: each fetch (the index's also read and hashed
// on the way, as snipfetch does), the catalogue's names, the index's reading (form and UTF-8), the
// signature's check, its names, and the whole of snipfetch's signed listing.
// Usage: index_costs <host[:port]> <maker's key, base64> <sniplet folder>
#include "platform/crypto.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/http.h"
#include "platform/utf8.h"
#include "snipfetch/catalogue.h"
#include "snipfetch/index_body.h"
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

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: index_costs <host[:port]> <key> <sniplet folder>\n", stderr);
        return 2;
    }
    const std::wstring host = argv[1];
    const std::string keyText = narrow(argv[2]);
    const auto key = snipfetch::decodeIndexKey(keyText);
    const std::wstring folder = argv[3];
    platform::prepareCryptography();
    platform::HttpClient http;

    auto start = Clock::now();
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
    const auto plainIndex = http.get(snipfetch::indexUrl(host), snipfetch::largestIndex);
    const double indexFetch = secondsSince(start);
    start = Clock::now();
    snipfetch::IndexBody body(snipfetch::largestIndex);
    const auto hashedIndex = http.get(snipfetch::indexUrl(host), body);
    const double hashedFetch = secondsSince(start);
    if (!catalogue.ok() || !plainIndex.ok() || !hashedIndex.ok() || !key) {
        std::fputs("the catalogue, the index or the key is missing\n", stderr);
        return 1;
    }
    const std::string_view text = body.text();
    start = Clock::now();
    const auto index = snipfetch::readIndex(text);
    const double read = secondsSince(start);
    if (!index) {
        std::fputs("the index is not in its form\n", stderr);
        return 1;
    }
    start = Clock::now();
    const auto digest = body.digestOf(index->signedLength);
    const bool signedByKey = digest && snipfetch::isSignedBy(*index, *digest, *key);
    const double verify = secondsSince(start);
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
    const auto listed = snipfetch::makeSignedListing(keyText)->fetchList(host, folder);
    const double whole = secondsSince(start);
    std::printf("RESULT catalogue_bytes=%zu catalogue_fetch=%.3f catalogue_names=%.3f "
                "catalogue_new=%zu index_bytes=%zu index_fetch=%.3f hashed_fetch=%.3f "
                "read=%.3f verify=%.3f index_names=%.3f index_new=%zu whole=%.3f rows=%zu\n",
                utf8.size(), catalogueFetch, catalogueNames, catalogueNew, text.size(), indexFetch,
                hashedFetch, read, verify, indexNames, indexNew, whole, listed.rows.size());
    return signedByKey && listed.accepted ? 0 : 1;
}
