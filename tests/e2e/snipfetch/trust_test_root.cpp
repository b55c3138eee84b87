// Adds the test root to the current user's "Root" store, or takes it out again:
// trusted in the Wine prefix of the tests, and nowhere else.
// Usage: trust_test_root add|remove <root certificate, DER, Unix or Windows path>
#include <windows.h>

#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string readAll(std::wstring path) {
    if (path.starts_with(L"/")) {
        path = L"Z:" + path;
    }
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring action = argc == 3 ? argv[1] : L"";
    if (action != L"add" && action != L"remove") {
        std::fputs("usage: trust_test_root add|remove <root.der>\n", stderr);
        return 2;
    }
    const std::string der = readAll(argv[2]);
    const auto* bytes = reinterpret_cast<const BYTE*>(der.data());
    const auto size = static_cast<DWORD>(der.size());
    const HCERTSTORE store =
        CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
    if (!store) {
        std::fprintf(stderr, "trust_test_root: no Root store (error %lu)\n", GetLastError());
        return 1;
    }
    bool done = false;
    if (action == L"add") {
        done = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, bytes, size,
                                                CERT_STORE_ADD_REPLACE_EXISTING, nullptr) != FALSE;
    } else if (PCCERT_CONTEXT root = CertCreateCertificateContext(X509_ASN_ENCODING, bytes, size)) {
        PCCERT_CONTEXT stored = CertFindCertificateInStore(store, X509_ASN_ENCODING, 0,
                                                           CERT_FIND_EXISTING, root, nullptr);
        done = !stored || CertDeleteCertificateFromStore(stored) != FALSE; // gone either way
        CertFreeCertificateContext(root);
    }
    if (!done) {
        std::fprintf(stderr, "trust_test_root: could not %ls the root (error %lu)\n",
                     action.c_str(), GetLastError());
    }
    CertCloseStore(store, 0);
    return done ? 0 : 1;
}
