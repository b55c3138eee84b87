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
using namespace e2e;

E2E_CASE(files, folders_and_listing) {
    CaseFolder folder(L"backend_listing");
    writeFileBytes(folder / L"plain.snp", "a");
    writeFileBytes(folder / L"locked.snp", "b");
    setAttributes(folder / L"locked.snp", FILE_ATTRIBUTE_READONLY);
    writeFileBytes(folder / L"hidden.snp", "c");
    setAttributes(folder / L"hidden.snp", FILE_ATTRIBUTE_HIDDEN);
    writeFileBytes(folder / L"system.snp", "d");
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
    setAttributes(folder / L"locked.snp", FILE_ATTRIBUTE_NORMAL);
}

E2E_CASE(files, replace_file) {
    CaseFolder folder(L"backend_replace");
    const std::string bytes("line\r\n\0\xE9\xFF end", 12);

    const auto target = folder / L"new.snp";
    check(platform::replaceFile(target, bytes).ok(), "a new file");
    checkEqualBytes(readFileBytes(target).value_or(""), bytes, "a new file's bytes");
    check(platform::replaceFile(target, "short").ok(), "replacing a file");
    checkEqualBytes(readFileBytes(target).value_or(""), "short", "a replaced file's bytes");
    check(platform::replaceFile(target, "").ok(), "replacing with nothing");
    checkEqualBytes(readFileBytes(target).value_or("?"), "", "an emptied file");

    const auto locked = folder / L"locked.snp";
    writeFileBytes(locked, "old");
    setAttributes(locked, FILE_ATTRIBUTE_READONLY);
    checkEqual(platform::replaceFile(locked, "new").error, ERROR_ACCESS_DENIED,
               "a read-only target");
    checkEqualBytes(readFileBytes(locked).value_or(""), "old", "a read-only target kept");
    setAttributes(locked, FILE_ATTRIBUTE_NORMAL);

    // Hidden and system targets are replaced and keep those attributes.
    for (const DWORD attribute : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
        const auto path =
            folder / (attribute == FILE_ATTRIBUTE_HIDDEN ? L"hidden.snp" : L"system.snp");
        writeFileBytes(path, "old");
        setAttributes(path, attribute);
        const auto status = platform::replaceFile(path, "new");
        checkEqual(status.error, 0, "replacing a hidden or system file");
        checkEqualBytes(readFileBytes(path).value_or(""), "new", "its new bytes");
        check((GetFileAttributesW(path.c_str()) & attribute) != 0,
              "it keeps its hidden or system attribute");
    }

    check(platform::createFolder(folder / L"sub").ok(), "a folder as the target");
    checkEqual(platform::replaceFile(folder / L"sub", "x").error, ERROR_ACCESS_DENIED,
               "a folder is not replaced");
    checkEqual(platform::replaceFile(folder / L"missing\\x.snp", "x").error, ERROR_PATH_NOT_FOUND,
               "a target in a missing folder");
    // No temporary file is left behind.
    checkEntries(folder.path(), {L"hidden.snp", L"locked.snp", L"new.snp", L"sub", L"system.snp"});
}

E2E_CASE(files, error_text) {
    const auto text = platform::errorText(ERROR_ACCESS_DENIED);
    check(!text.empty() && text.find_last_of(L" \r\n\t") != text.size() - 1,
          "a system text without trailing blanks or line breaks: " + describe(text));
    checkEqual(text, systemErrorText(ERROR_ACCESS_DENIED), "the system's own text");
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
