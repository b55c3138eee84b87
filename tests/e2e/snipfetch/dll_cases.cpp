// snipfetch started from a folder where someone dropped a winhttp.dll, as a web
// page can drop one into Downloads.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/registry_value.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

// Wine takes a DLL from the program's folder only for a program set to prefer
// native DLLs of that name (Windows needs no such setting for a non-KnownDLL).
class PreferPlantedWinhttp : public RegistryValueOverride {
public:
    explicit PreferPlantedWinhttp(const std::wstring& program)
        : RegistryValueOverride(HKEY_CURRENT_USER,
                                L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides",
                                L"winhttp", {REG_SZ, wideBytes(L"native,builtin")}) {}

private:
    static std::string wideBytes(std::wstring_view text) {
        return std::string(reinterpret_cast<const char*>(text.data()),
                           (text.size() + 1) * sizeof(wchar_t));
    }
};

void plantMarker(const std::wstring& folder) {
    const auto marker = readFileBytes(windowsPath(Suite::option(L"marker-dll")));
    require(marker.has_value(), "could not read the marker DLL");
    writeFileBytes(folder + L"\\winhttp.dll", *marker);
}

E2E_CASE(dll, planted_winhttp_is_not_loaded) {
    const PreferPlantedWinhttp preferPlanted(L"snipfetch.exe");
    const CaseFolder folder(L"snipfetch\\planted_winhttp");
    const auto downloads = folder / L"Downloads";
    const auto current = folder / L"current";
    const auto control = folder / L"control";
    for (const auto& place : {downloads, current, control}) {
        CreateDirectoryW(place.c_str(), nullptr);
        plantMarker(place);
    }
    // The setting works: a program that imports WinHTTP takes the planted one.
    App(Suite::option(L"winhttp-importer"), control, {L"snipfetch.exe", {}, {}}).waitForExit();
    require(fileExists(control + L"\\winhttp.dll.loaded"),
            "the control program did not load the planted winhttp.dll");

    SnipletSite site;
    site.serveCatalogue("a.snp\r\n");
    site.serve(L"a.snp", "sniplet a");
    SnipfetchRun window(downloads, 96, {L"snipfetch.exe", current, {}});
    window.getList();
    window.expectNoMessage();
    window.checkRows({L"a.snp"});
    window.clickCheckBox(0);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(current + L"\\Sniplets\\a.snp", "sniplet a"); // Sniplets is relative
    window.close();
    check(!fileExists(downloads + L"\\winhttp.dll.loaded"),
          "the winhttp.dll beside the program was loaded");
    check(!fileExists(current + L"\\winhttp.dll.loaded"),
          "the winhttp.dll in the current directory was loaded");
}

} // namespace
