// Opening a sniplet into the main window: the program's argument, and Ctrl+O
// through the system's Open dialog.
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipforge/snipforge_run.h"

namespace {

using namespace e2e;
using namespace snipforge_e2e;

// Every text differs from every other, both variants included; the author is in
// code page 1252.
const std::string beepFile =
    snipletFile("Beep twice", "Jos\xE9", "Rings the bell twice.", "Beep16 *",
                "Beep32 *\r\nBeep32 *", "Declare Beep16", "Declare Beep32\r\n");

void checkBeepFilled(SnipforgeRun& session) {
    checkEqual(session.text(L"Text1"), L"Beep twice", "name");
    checkEqual(session.text(L"Text2"), L"Jos\u00e9", "author");
    checkEqual(session.text(L"Text3"), L"Rings the bell twice.", "description");
    checkEqual(session.text(L"Text4"), L"Beep32 *\r\nBeep32 *", "32-bit code, shown at start");
    checkEqual(session.text(L"Text5"), L"Declare Beep32\r\n", "32-bit module text");
    session.click(L"optcode16");
    session.click(L"optde16");
    checkEqual(session.text(L"Text4"), L"Beep16 *", "16-bit code");
    checkEqual(session.text(L"Text5"), L"Declare Beep16", "16-bit module text");
}

E2E_CASE(open, started_with_a_path) {
    require(GetACP() == 1252,
            "this case needs the ANSI code page 1252; it is " + std::to_string(GetACP()));
    // Where "Open with" or a drop on the .exe would pass it: elsewhere, a blank in its path.
    const CaseFolder elsewhere(L"snipforge\\open elsewhere");
    const std::wstring path = elsewhere / L"Beep twice.snp";
    writeFileBytes(path, beepFile);

    SnipforgeRun session(systemDpi(), L"\"" + path + L"\"");
    check(noMessageBoxWithin(session.processId(), milliseconds{300}), "no message at start");
    checkBeepFilled(session);
    session.close();
}

// The dialog's file name box: the edit inside the file name combo box (id 0x47C,
// within a ComboBoxEx under Wine), else the older template's edit (0x480).
HWND fileNameBox(HWND dialog) {
    for (HWND child : descendants(dialog)) {
        if (hasClass(child, L"Edit") && GetDlgCtrlID(child) == 0x47C) {
            return child;
        }
    }
    return GetDlgItem(dialog, 0x480);
}

E2E_CASE(open, ctrl_o_through_the_open_dialog) {
    SnipforgeRun session;
    CreateDirectoryW(session.snipletsFolder().c_str(), nullptr);
    writeFileBytes(session.snipletPath(L"Beep twice"), beepFile);
    writeFileBytes(session.snipletsFolder() + L"\\notes.txt", "not a sniplet");

    pressChordInFront(session.window(), VK_CONTROL, 'O');
    const HWND dialog = waitForTopLevelWindow(session.processId(), L"Open");
    check(hasClass(dialog, L"#32770"), "the system's dialog");
    check(!IsWindowEnabled(session.window()), "the main window takes no input under the dialog");
    const HWND fileTypes = GetDlgItem(dialog, 0x470);
    require(fileTypes != nullptr, "the dialog has a file type box");
    checkEqual(windowText(fileTypes), L"Sniplets (*.snp)", "the one file type offered");

    // It starts in the Sniplets folder: a bare file name is looked for there.
    checkEqual(windowText(GetDlgItem(dialog, 0x471)), L"Sniplets", "the folder shown");
    const HWND nameBox = fileNameBox(dialog);
    require(nameBox != nullptr, "the dialog has a file name box");
    typeText(nameBox, L"Beep twice.snp");
    clickButton(GetDlgItem(dialog, IDOK));
    require(waitUntil([&] { return !IsWindow(dialog); }), "the dialog closed after Open");
    require(waitUntil([&] { return IsWindowEnabled(session.window()) != FALSE; }),
            "the main window takes input again");

    check(noMessageBoxWithin(session.processId(), milliseconds{300}),
          "no question: nothing had changed since the start");
    checkBeepFilled(session);
    session.close();
}

} // namespace
