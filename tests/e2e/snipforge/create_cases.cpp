// The Create command seen from outside: the file it writes byte for byte, the
// messages it shows, and what it leaves on disk when it refuses or fails.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipforge/snipforge_run.h"

namespace {

using namespace e2e;
using namespace snipforge_e2e;

const std::wstring title = L"Duzarudar";
const std::wstring defaultName = L"Name of code here";

std::string defaultSniplet(std::string_view author = "Your name") {
    return snipletFile("Name of code here", author, "About the code");
}

// The box must be Duzarudar's with that text, that icon and the OK button alone.
void checkOkBox(const MessageBoxView& box, std::wstring_view text, BoxIcon icon,
                std::string_view what) {
    checkBox(box, title, text, icon, {button::ok}, what);
}

E2E_CASE(create, right_after_start) {
    SnipforgeRun session;
    const auto path = session.snipletPath(defaultName);
    const auto box = session.create();
    checkOkBox(box, completionText(path), BoxIcon::Question, "completion message");
    check(!IsWindowEnabled(session.window()), "the main window takes no input under the box");
    answer(box, button::ok);
    check(waitUntil([&] { return IsWindowEnabled(session.window()) != 0; }),
          "the main window takes input again");

    // The prompts in the code and module boxes are in no buffer.
    checkFile(path, defaultSniplet());
    // The Sniplets folder holds the new file and nothing else.
    checkEntries(session.snipletsFolder(), {defaultName + L".snp"});
}

E2E_CASE(create, example_then_create) {
    SnipforgeRun session;
    session.click(L"Command2");
    session.createAndConfirm(L"Messagebox window handle");
    const std::string example = "Msgbox CStr(*), 16, \"Window Handle\"";
    checkFile(session.snipletPath(L"Messagebox window handle"),
              snipletFile("Messagebox window handle", "Dozovad",
                          "This code creates a message box that shows the handle of the window.",
                          example, example));
}

// Creates the default sniplet once, then changes the author and presses Create
// again: the question comes up.
MessageBoxView askToReplace(SnipforgeRun& session) {
    session.createAndConfirm(defaultName);
    session.type(L"Text2", L"Second author");
    const auto box = session.create();
    checkBox(box, title,
             L"\"" + session.snipletPath(defaultName) +
                 L"\" already exist. Do you want to replace it?",
             BoxIcon::Stop, {button::yes, button::no}, "question");
    check(!IsWindowEnabled(session.window()), "the main window takes no input under the question");
    return box;
}

E2E_CASE(create, overwrite_answer_no) {
    SnipforgeRun session;
    const auto question = askToReplace(session);
    answer(question, button::no);
    check(noMessageBoxWithin(session.processId(), milliseconds{500}),
          "no message follows the answer No");
    check(IsWindowEnabled(session.window()) != 0, "the main window takes input again");
    // The file is still there, unchanged.
    checkFile(session.snipletPath(defaultName), defaultSniplet());
}

E2E_CASE(create, overwrite_answer_yes) {
    SnipforgeRun session;
    const auto question = askToReplace(session);
    answer(question, button::yes);
    const auto path = session.snipletPath(defaultName);
    checkOkBox(waitForMessageBox(session.processId()), completionText(path), BoxIcon::Question,
               "completion message after Yes");
    // The file holds the new sniplet and nothing of the old; no temporary file is beside it.
    checkFile(path, defaultSniplet("Second author"));
    checkEntries(session.snipletsFolder(), {defaultName + L".snp"});
}

E2E_CASE(create, refused_names) {
    SnipforgeRun session;
    for (const std::wstring name : {L"a|b", L"CON", L"", L"sub\\name"}) {
        session.type(L"Text1", name);
        const auto box = session.create();
        checkOkBox(box,
                   L"The name \"" + name +
                       L"\" cannot be used for a sniplet file.\r\nUse a name that is not empty, "
                       L"is not a device name such as CON or NUL, and holds none of these "
                       L"characters: \\ / : * ? \" < > |",
                   BoxIcon::Stop, "refusal of " + describe(name));
        answer(box, button::ok);
        check(noMessageBoxWithin(session.processId(), milliseconds{300}),
              "nothing follows the refusal of " + describe(name));
    }
    checkEntries(session.snipletsFolder(), {});
}

E2E_CASE(create, unwritable_target) {
    SnipforgeRun session;
    const auto path = session.snipletPath(defaultName);
    session.createAndConfirm(defaultName);
    setAttributes(path, FILE_ATTRIBUTE_READONLY);
    session.type(L"Text2", L"Second author");
    answer(session.create(), button::yes);
    const auto box = waitForMessageBox(session.processId());
    checkOkBox(box,
               L"Could not create the sniplet.\r\nFile location: \"" + path + L"\"\r\n" +
                   systemErrorText(ERROR_ACCESS_DENIED),
               BoxIcon::Stop, "failure message");
    answer(box, button::ok);
    check(noMessageBoxWithin(session.processId(), milliseconds{300}),
          "no completion message follows the failure");
    // The read-only file is still there, unchanged, and no temporary file is beside it.
    checkFile(path, defaultSniplet());
    checkEntries(session.snipletsFolder(), {defaultName + L".snp"});
    setAttributes(path, FILE_ATTRIBUTE_NORMAL);
}

E2E_CASE(create, text_outside_the_code_page) {
    require(GetACP() == 1252,
            "this case needs the ANSI code page 1252; it is " + std::to_string(GetACP()));
    SnipforgeRun session;
    session.type(L"Text2", L"\u0418\u0432\u0430\u043d"); // Cyrillic: none of it is in 1252
    checkOkBox(session.create(),
               L"The sniplet holds characters that this system's code page cannot store (in "
               L"Author).\r\nChange them and try again.",
               BoxIcon::Stop, "code page message");
    checkEntries(session.snipletsFolder(), {});
}

E2E_CASE(create, text_in_the_code_page) {
    require(GetACP() == 1252,
            "this case needs the ANSI code page 1252; it is " + std::to_string(GetACP()));
    SnipforgeRun session;
    session.type(L"Text2", L"Jos\u00e9 \u00dcnal \u20ac");
    session.createAndConfirm(defaultName);
    // The author in code page 1252.
    checkFile(session.snipletPath(defaultName), defaultSniplet("Jos\xE9 \xDCnal \x80"));
}

// A line "---" in a text would end its block early in the file: nothing is written.
E2E_CASE(create, dash_line_refused) {
    SnipforgeRun session;
    session.click(L"optde16");
    session.type(L"Text5", L"Declare Beep\r\n---\r\n' end");
    checkOkBox(session.create(),
               L"Line 2 of the 16-bit module text is exactly \"---\", the line that ends each text "
               L"in a sniplet file: the file would be misread.\r\nChange that line, for example "
               L"by adding a blank after the dashes, or remove it, and try again.",
               BoxIcon::Stop, "refusal");
    checkEntries(session.snipletsFolder(), {});
}

} // namespace
