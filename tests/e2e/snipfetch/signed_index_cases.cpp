// snipfetch built with a test maker's key under Wine, against sites that the
// native snipindex published (make_signed_sites.py): the index read and checked
// with CNG (bcrypt from the system folder), each refusal, and the whole road from
// snipforge through snipindex to snipfetch.
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/registry_value.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"
#include "tests/e2e/snipforge/snipforge_run.h"

#include <windows.h>

#include <algorithm>

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

const std::wstring notSigned =
    std::wstring(text::listError) + L"\n\nThe list is not signed by the maker.";

std::wstring publishedSite(std::wstring_view name) {
    return windowsPath(Suite::option(L"signed-sites")) + L"\\" + std::wstring(name);
}

std::string publishedFile(std::wstring_view site, std::wstring_view name) {
    const auto path = publishedSite(site) + L"\\" + std::wstring(name);
    auto bytes = readFileBytes(path);
    require(bytes.has_value(), "no published file " + describe(path));
    return *bytes;
}

// Serves every file of a folder that snipindex published.
void serveFolder(SnipletSite& site, const std::wstring& folder) {
    for (const auto& name : folderEntries(folder)) {
        const auto bytes = readFileBytes(folder + L"\\" + name);
        require(bytes.has_value(), "could not read " + describe(folder + L"\\" + name));
        site.serve(name, *bytes);
    }
}

void checkCatalogueNeverAskedFor(const SnipletSite& site) {
    const auto requests = site.requests();
    check(std::none_of(requests.begin(), requests.end(),
                       [](const std::string& path) { return path.ends_with("Sniplets.txt"); }),
          "Sniplets.txt was never asked for");
}

E2E_CASE(signed, get_list_and_download) {
    SnipletSite site;
    serveFolder(site, publishedSite(L"good"));
    SnipfetchRun window;
    window.getList();
    window.expectNoMessage();
    window.checkRows({L"a.snp", L"b c.snp"});
    check(!fileExists(window.sniplets()), "Get List made no Sniplets folder");
    window.clickCheckBox(0);
    window.clickCheckBox(1);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplet(L"a.snp"), publishedFile(L"good", L"a.snp"));
    checkFile(window.sniplet(L"b c.snp"), publishedFile(L"good", L"b c.snp"));
    // The sequence the folder accepted, kept hidden beside the sniplets.
    const auto record = window.sniplet(L"~index-sequence");
    checkFile(record, "1\n");
    check((GetFileAttributesW(record.c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0,
          "the sequence record is hidden");
    site.checkRequestsInAnyOrder(
        {"/Sniplets/Sniplets.index", "/Sniplets/a.snp", "/Sniplets/b%20c.snp"});
    window.close();
}

E2E_CASE(signed, changed_byte_is_refused) {
    SnipletSite site;
    serveFolder(site, publishedSite(L"good"));
    auto changed = publishedFile(L"good", L"b c.snp");
    changed[1000] ^= 0x01;
    site.serve(L"b c.snp", changed);
    SnipfetchRun window;
    window.getList();
    window.checkRows({L"a.snp", L"b c.snp"});
    window.placeSniplet(L"b c.snp", "older copy"); // came after the list
    window.clickCheckBox(0);
    window.clickCheckBox(1);
    window.download();
    window.expectMessage(L"Error",
                         std::wstring(text::downloadError) +
                             L"\n\nb c.snp is not the file that the maker signed.",
                         BoxIcon::Stop);
    checkFile(window.sniplet(L"a.snp"), publishedFile(L"good", L"a.snp"));
    checkFile(window.sniplet(L"b c.snp"), "older copy");
    checkCatalogueNeverAskedFor(site);
    window.close();
}

E2E_CASE(signed, other_key_is_refused) {
    SnipletSite site;
    serveFolder(site, publishedSite(L"other-key"));
    SnipfetchRun window;
    window.getList();
    window.expectMessage(L"Error", notSigned, BoxIcon::Stop);
    window.checkRows({});
    site.checkRequests({"/Sniplets/Sniplets.index"});
    window.close();
}

E2E_CASE(signed, expired_index_is_refused) {
    SnipletSite site;
    serveFolder(site, publishedSite(L"expired"));
    SnipfetchRun window;
    window.getList();
    window.expectMessage(L"Error",
                         std::wstring(text::listError) + L"\n\nThe list expired on 2020-01-02.",
                         BoxIcon::Stop);
    window.checkRows({});
    window.close();
}

E2E_CASE(signed, older_sequence_is_refused) {
    SnipletSite site;
    serveFolder(site, publishedSite(L"newer"));
    SnipfetchRun window;
    window.placeSniplet(L"a.snp", publishedFile(L"newer", L"a.snp"));
    window.getList(); // sequence 2, recorded in the folder that exists
    window.expectNoMessage();
    window.checkRows({L"b c.snp"});
    serveFolder(site, publishedSite(L"good")); // sequence 1
    window.getList();
    window.expectMessage(L"Error",
                         std::wstring(text::listError) +
                             L"\n\nThe list is older than one already used here.",
                         BoxIcon::Stop);
    window.checkRows({L"b c.snp"});
    checkFile(window.sniplet(L"~index-sequence"), "2\n");
    window.close();
}

// bcrypt is no KnownDLL: one dropped beside the program (a Downloads folder) is
// never loaded, even where Wine is set to prefer it, as with winhttp.dll.
E2E_CASE(signed, planted_bcrypt_is_not_loaded) {
    const auto wide = [](std::wstring_view text) {
        return std::string(reinterpret_cast<const char*>(text.data()),
                           (text.size() + 1) * sizeof(wchar_t));
    };
    const RegistryValueOverride preferPlanted(
        HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\snipfetch.exe\\DllOverrides", L"bcrypt",
        {REG_SZ, wide(L"native,builtin")});
    const CaseFolder folder(L"snipfetch\\planted_bcrypt");
    const auto downloads = folder / L"Downloads";
    const auto control = folder / L"control";
    const auto marker = readFileBytes(windowsPath(Suite::option(L"marker-dll")));
    require(marker.has_value(), "could not read the marker DLL");
    for (const auto& place : {downloads, control}) {
        CreateDirectoryW(place.c_str(), nullptr);
        writeFileBytes(place + L"\\bcrypt.dll", *marker);
    }
    // The setting works: a program that imports bcrypt takes the planted one.
    App(Suite::option(L"bcrypt-importer"), control, {L"snipfetch.exe", {}, {}}).waitForExit();
    require(fileExists(control + L"\\bcrypt.dll.loaded"),
            "the control program did not load the planted bcrypt.dll");

    SnipletSite site;
    serveFolder(site, publishedSite(L"good"));
    SnipfetchRun window(downloads, 96, {L"snipfetch.exe", downloads, {}});
    window.getList(); // verifies the index with bcrypt
    window.expectNoMessage();
    window.checkRows({L"a.snp", L"b c.snp"});
    window.clickCheckBox(0);
    window.download(); // hashes with bcrypt
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    window.close();
    check(!fileExists(downloads + L"\\bcrypt.dll.loaded"),
          "the bcrypt.dll beside the program was loaded");
}

// The whole road, first step: snipforge writes the example sniplet, which goes to
// the folder that snipindex publishes next (road_publish).
E2E_CASE(road, forge) {
    const auto road = windowsPath(Suite::option(L"road"));
    require(removeAll(road), "could not empty " + describe(road));
    CreateDirectoryW(road.c_str(), nullptr);
    snipforge_e2e::SnipforgeRun session;
    session.click(L"Command2");
    session.createAndConfirm(L"Messagebox window handle");
    const auto written = readFileBytes(session.snipletPath(L"Messagebox window handle"));
    require(written.has_value(), "snipforge wrote no sniplet");
    writeFileBytes(road + L"\\Messagebox window handle.snp", *written);
    session.close();
}

// The last step: snipfetch fetches what snipindex published and checks it.
E2E_CASE(road, fetch) {
    const auto road = windowsPath(Suite::option(L"road"));
    SnipletSite site;
    serveFolder(site, road);
    SnipfetchRun window;
    window.getList();
    window.expectNoMessage();
    window.checkRows({L"Messagebox window handle.snp"});
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplet(L"Messagebox window handle.snp"),
              *readFileBytes(road + L"\\Messagebox window handle.snp"));
    checkCatalogueNeverAskedFor(site);
    window.close();
}

} // namespace
