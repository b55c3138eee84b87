// File and code page services against Wine's real file system.
#include "tests/e2e/win32_backend/backend_forms.h"

#include "platform/code_page.h"
#include "platform/files.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"

#include <algorithm>

namespace {

using namespace backend_e2e;
using e2e::check;
using e2e::checkEqual;
using e2e::checkEqualBytes;

void setAttributes(const std::wstring& path, DWORD attributes) {
    e2e::require(SetFileAttributesW(path.c_str(), attributes) != FALSE, "set file attributes");
}

DWORD attributesOf(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

bool hasTemporaryFiles(const std::wstring& folder) {
    const auto entries = e2e::folderEntries(folder);
    return std::any_of(entries.begin(), entries.end(),
                       [](const std::wstring& name) { return name.ends_with(L".tmp"); });
}

E2E_CASE(files, folders_and_listing) {
    e2e::CaseFolder folder(L"backend_listing");
    e2e::writeFileBytes(folder / L"plain.snp", "a");
    e2e::writeFileBytes(folder / L"locked.snp", "b");
    e2e::setReadOnly(folder / L"locked.snp", true);
    e2e::writeFileBytes(folder / L"hidden.snp", "c");
    setAttributes(folder / L"hidden.snp", FILE_ATTRIBUTE_HIDDEN);
    e2e::writeFileBytes(folder / L"system.snp", "d");
    setAttributes(folder / L"system.snp", FILE_ATTRIBUTE_SYSTEM);

    check(platform::createFolder(folder / L"sub").ok(), "createFolder makes a new folder");
    checkEqual(platform::createFolder(folder / L"sub").error, ERROR_ALREADY_EXISTS,
               "createFolder of an existing folder");
    checkEqual(platform::createFolder(folder / L"missing\\sub").error, ERROR_PATH_NOT_FOUND,
               "createFolder below a missing folder");

    auto names = platform::ordinaryFileNames(folder.path());
    std::sort(names.begin(), names.end());
    check(names == std::vector<std::wstring>{L"locked.snp", L"plain.snp"},
          "ordinary files: read-only ones in, hidden, system files and folders out");
    check(platform::ordinaryFileNames(folder.path() + L"\\").size() == 2,
          "a folder given with a final backslash");
    check(platform::ordinaryFileNames(folder / L"missing").empty(), "a missing folder");

    check(platform::entryExists(folder / L"hidden.snp"), "entryExists sees hidden files");
    check(platform::entryExists(folder / L"sub"), "entryExists sees folders");
    check(!platform::entryExists(folder / L"none.snp"), "entryExists of a missing file");
    check(platform::folderExists(folder / L"sub\\"), "folderExists with a final backslash");
    check(!platform::folderExists(folder / L"plain.snp"), "a file is no folder");

    const auto application = platform::applicationFolder();
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    check(std::wstring(module).starts_with(application + L"\\") &&
              std::wstring(module).find(L'\\', application.size() + 1) == std::wstring::npos,
          "applicationFolder holds the running program");
    e2e::setReadOnly(folder / L"locked.snp", false);
}

E2E_CASE(files, replace_file) {
    e2e::CaseFolder folder(L"backend_replace");
    const std::string bytes("line\r\n\0\xE9\xFF end", 12);

    const auto target = folder / L"new.snp";
    check(platform::replaceFile(target, bytes).ok(), "a new file");
    checkEqualBytes(e2e::readFileBytes(target).value_or(""), bytes, "a new file's bytes");
    check(platform::replaceFile(target, "short").ok(), "replacing a file");
    checkEqualBytes(e2e::readFileBytes(target).value_or(""), "short", "a replaced file's bytes");
    check(platform::replaceFile(target, "").ok(), "replacing with nothing");
    checkEqualBytes(e2e::readFileBytes(target).value_or("?"), "", "an emptied file");

    const auto locked = folder / L"locked.snp";
    e2e::writeFileBytes(locked, "old");
    e2e::setReadOnly(locked, true);
    checkEqual(platform::replaceFile(locked, "new").error, ERROR_ACCESS_DENIED,
               "a read-only target");
    checkEqualBytes(e2e::readFileBytes(locked).value_or(""), "old", "a read-only target kept");
    e2e::setReadOnly(locked, false);

    // Hidden and system targets are replaced and keep those attributes.
    for (const DWORD attribute : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
        const auto path =
            folder / (attribute == FILE_ATTRIBUTE_HIDDEN ? L"hidden.snp" : L"system.snp");
        e2e::writeFileBytes(path, "old");
        setAttributes(path, attribute);
        const auto status = platform::replaceFile(path, "new");
        checkEqual(status.error, 0, "replacing a hidden or system file");
        checkEqualBytes(e2e::readFileBytes(path).value_or(""), "new", "its new bytes");
        check((attributesOf(path) & attribute) != 0, "it keeps its hidden or system attribute");
    }

    check(platform::createFolder(folder / L"sub").ok(), "a folder as the target");
    checkEqual(platform::replaceFile(folder / L"sub", "x").error, ERROR_ACCESS_DENIED,
               "a folder is not replaced");
    checkEqual(platform::replaceFile(folder / L"missing\\x.snp", "x").error, ERROR_PATH_NOT_FOUND,
               "a target in a missing folder");
    check(!hasTemporaryFiles(folder.path()), "no temporary file is left behind");
}

E2E_CASE(files, error_text) {
    const auto text = platform::errorText(ERROR_ACCESS_DENIED);
    check(!text.empty() && text.find_last_of(L" \r\n\t") != text.size() - 1,
          "a system text without trailing blanks or line breaks: " + e2e::describe(text));
    checkEqual(text, e2e::systemErrorText(ERROR_ACCESS_DENIED), "the system's own text");
    checkEqual(platform::errorText(0x2FFFFFFF), L"Error 805306367", "a code with no text");
}

E2E_CASE(files, code_page) {
    check(GetACP() == 1252, "the tests run with the ANSI code page 1252");
    checkEqualBytes(platform::toAnsi(L"A\u00e9\u20ac").value_or("?"), "A\xE9\x80",
                    "text the code page holds");
    check(!platform::toAnsi(L"A\u00e9\u0416\u20ac"), "a Cyrillic letter has no byte in 1252");
    check(!platform::toAnsi(L"\u0100"), "no best-fit mapping of A with macron to A");
    checkEqualBytes(platform::toAnsi(L"").value_or("?"), "", "empty text");
    checkEqual(platform::fromAnsi("A\xE9\x80\x81"), L"A\u00e9\u20ac\u0081",
               "bytes to text, an undefined byte included");
}

} // namespace
