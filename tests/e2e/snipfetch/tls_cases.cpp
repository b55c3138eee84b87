// snipfetch built for https://localhost against the HTTPS sniplet site, whose
// test root this prefix trusts: the system's certificate checks and the redirects
// that are refused.
#include "platform/http.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/snipfetch/snipfetch_run.h"
#include "tests/e2e/snipfetch/sniplet_site.h"

namespace {

using namespace snipfetch_e2e;
using namespace e2e;

// The site presents this certificate to every connection from now on
// (make_test_certificates.sh): good, untrusted, wrong-name or expired.
void presentCertificate(const SnipletSite& site, std::string_view name) {
    writeFileBytes(site.root() + L"\\certificate", name);
}

E2E_CASE(tls, get_list_and_download) {
    SnipletSite site;
    presentCertificate(site, "good");
    site.serveCatalogue("a.snp\r\nMy Tools.snp\r\n");
    site.serve(L"a.snp", std::string("\0binary\r\n", 9));
    site.serve(L"My Tools.snp", "tools");
    SnipfetchRun window;
    window.getList();
    window.expectNoMessage();
    window.checkRows({L"a.snp", L"My Tools.snp"});
    window.clickCheckBox(0);
    window.clickCheckBox(1);
    window.download();
    window.expectMessage(L"Notice", text::finished, BoxIcon::Information);
    checkFile(window.sniplet(L"a.snp"), std::string("\0binary\r\n", 9));
    checkFile(window.sniplet(L"My Tools.snp"), "tools");
    // The two files travel side by side: either may be asked for first.
    site.checkRequestsInAnyOrder(
        {"/Sniplets/Sniplets.txt", "/Sniplets/a.snp", "/Sniplets/My%20Tools.snp"});
    window.close();
}

// From now on the site offers this TLS version alone ("1.0" ... "1.3").
void offerOnly(const SnipletSite& site, std::string_view version) {
    writeFileBytes(site.root() + L"\\tls-version", version);
}

// Only TLS 1.2 and later: a server of an older version is refused in the
// handshake, so no request reaches it. (Wine never reaches a server of TLS 1.3
// alone, whatever the client asks for.)
E2E_CASE(tls, versions_before_1_2_are_refused) {
    SnipletSite site;
    presentCertificate(site, "good");
    site.serveCatalogue("a.snp\r\n");
    const auto catalogue =
        L"https://localhost:" + Suite::option(L"tls-port") + L"/Sniplets/Sniplets.txt";
    for (const char* version : {"1.0", "1.1"}) {
        offerOnly(site, version);
        const auto refused = platform::HttpClient().get(catalogue, 1 << 20);
        note(std::string("TLS ") + version + ": " + utf8(platform::describe(refused)));
        check(refused.failure == platform::HttpFailure::insecure,
              "a failure of the secure channel");
        SnipfetchRun window;
        window.getList();
        window.expectMessage(L"Error", text::listError, BoxIcon::Stop);
        window.checkRows({});
        window.close();
    }
    site.checkRequests({});
    offerOnly(site, "1.2");
    SnipfetchRun window;
    window.getList();
    window.expectNoMessage();
    window.checkRows({L"a.snp"});
    window.close();
    site.checkRequests({"/Sniplets/Sniplets.txt"});
}

// Refused in the handshake, before the request goes out: the Error, no rows.
E2E_CASE(tls, bad_certificates_are_refused) {
    SnipletSite site;
    site.serveCatalogue("a.snp\r\n");
    const auto catalogue =
        L"https://localhost:" + Suite::option(L"tls-port") + L"/Sniplets/Sniplets.txt";
    for (const char* certificate : {"untrusted", "wrong-name", "expired"}) {
        presentCertificate(site, certificate);
        const auto refused = platform::HttpClient().get(catalogue, 1 << 20);
        note(std::string(certificate) + ": " + utf8(platform::describe(refused)));
        check(refused.failure == platform::HttpFailure::insecure,
              "a failure of the secure channel");
        SnipfetchRun window;
        window.getList();
        window.expectMessage(L"Error", text::listError, BoxIcon::Stop);
        window.checkRows({});
        window.close();
    }
    site.checkRequests({});
}

// A sniplet moved to plain HTTP, or to another scheme, is not fetched from there.
E2E_CASE(tls, redirect_away_from_https_is_refused) {
    SnipletSite site;
    SnipletSite plain(L"plain-site");
    presentCertificate(site, "good");
    site.serveCatalogue("a.snp\r\n");
    plain.serve(L"a.snp", "from plain HTTP");
    const auto plainUrl = "127.0.0.1:" + utf8(Suite::option(L"plain-port")) + "/Sniplets/a.snp";
    SnipfetchRun window;
    window.getList();
    window.clickCheckBox(0);
    window.placeSniplet(L"a.snp", "older copy");
    for (const auto& location : {"http://" + plainUrl, "ftp://" + plainUrl}) {
        note(location);
        site.redirect(L"a.snp", location);
        window.download();
        window.expectMessage(L"Error", text::downloadError, BoxIcon::Stop);
        checkFile(window.sniplet(L"a.snp"), "older copy");
    }
    checkEntries(window.sniplets(), {L"a.snp"});
    site.checkRequests({"/Sniplets/Sniplets.txt", "/Sniplets/a.snp", "/Sniplets/a.snp"});
    plain.checkRequests({});
    window.close();
}

} // namespace
