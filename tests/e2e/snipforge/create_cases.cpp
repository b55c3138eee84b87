// The Create command seen from outside: the file it writes byte for byte, the
// messages it shows, and what it leaves on disk when it refuses or fails.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/test_files.h"
#include "tests/e2e/driver/ui.h"
#include "tests/e2e/snipforge/cases.h"
#include "tests/e2e/snipforge/form1_session.h"

namespace snipforge_e2e {

using namespace e2e;

namespace {

const std::wstring title = L"Duzarudar";
const std::wstring defaultName = L"Name of code here";

std::string defaultSniplet() {
    return snipletFile("Name of code here", "Your name", "About the code", "", "", "", "");
}

// The box must be Duzarudar's with that text, that icon and the OK button alone.
void checkOkBox(const MessageBoxView& box, std::wstring_view text, BoxIcon icon,
                std::string_view what) {
    const std::string prefix = std::string(what) + ": ";
    checkEqual(box.title, title, prefix + "title");
    checkEqual(box.text, text, prefix + "text");
    check(box.icon == icon,
          prefix + "shows " + describe(box.icon) + " where " + describe(icon) + " belongs");
    check(box.buttons == std::vector<int>{button::ok}, prefix + "the OK button alone");
}

std::wstring overwriteQuestion(std::wstring_view path) {
    return L"\"" + std::wstring(path) + L"\" already exist. Do you want to replace it?";
}

void checkOverwriteQuestion(const MessageBoxView& box, std::wstring_view path) {
    checkEqual(box.title, title, "question title");
    checkEqual(box.text, overwriteQuestion(path), "question text");
    check(box.icon == BoxIcon::Stop,
          "the question shows " + describe(box.icon) + " where the stop icon belongs");
    check((box.buttons == std::vector<int>{button::yes, button::no}),
          "the question has the Yes and No buttons");
}

void createRightAfterStart() {
    Form1Session session(L"create_at_start");
    const auto path = session.snipletPath(defaultName);
    const auto box = session.create();
    checkOkBox(box, completionText(path), BoxIcon::Question, "completion message");
    check(!IsWindowEnabled(session.form()), "the main window takes no input under the box");
    answer(box, button::ok);
    check(waitUntil([&] { return IsWindowEnabled(session.form()) != 0; }),
          "the main window takes input again");

    // The prompts in the code and module boxes are in no buffer.
    const auto bytes = readFileBytes(path);
    require(bytes.has_value(), "the file " + describe(path) + " was written");
    checkEqualBytes(*bytes, defaultSniplet(), "the file");
    check(folderEntries(session.snipletsFolder()) ==
              std::vector<std::wstring>{defaultName + L".snp"},
          "the Sniplets folder holds the new file and nothing else");
}

void exampleThenCreate() {
    Form1Session session(L"example_then_create");
    session.click(L"Command2");
    session.createAndConfirm(L"Messagebox window handle");
    const auto bytes = readFileBytes(session.snipletPath(L"Messagebox window handle"));
    require(bytes.has_value(), "the example's file was written");
    checkEqualBytes(*bytes,
                    "Sniplet File\r\n"
                    "Messagebox window handle\r\n"
                    "Dozovad\r\n"
                    "This code creates a message box that shows the handle of the window.\r\n"
                    "Msgbox CStr(*), 16, \"Window Handle\"\r\n"
                    "---\r\n"
                    "Msgbox CStr(*), 16, \"Window Handle\"\r\n"
                    "---\r\n"
                    "\r\n"
                    "---\r\n"
                    "\r\n"
                    "---\r\n",
                    "the worked example");
}

// Creates the default sniplet once, then changes the author and presses Create
// again: the question comes up.
MessageBoxView askToReplace(Form1Session& session) {
    session.createAndConfirm(defaultName);
    session.type(L"Text2", L"Second author");
    const auto box = session.create();
    checkOverwriteQuestion(box, session.snipletPath(defaultName));
    check(!IsWindowEnabled(session.form()), "the main window takes no input under the question");
    return box;
}

void overwriteAnswerNo() {
    Form1Session session(L"overwrite_no");
    const auto question = askToReplace(session);
    answer(question, button::no);
    check(noMessageBoxWithin(session.processId(), milliseconds{500}),
          "no message follows the answer No");
    check(IsWindowEnabled(session.form()) != 0, "the main window takes input again");
    const auto bytes = readFileBytes(session.snipletPath(defaultName));
    require(bytes.has_value(), "the file is still there");
    checkEqualBytes(*bytes, defaultSniplet(), "the file is unchanged");
}

void overwriteAnswerYes() {
    Form1Session session(L"overwrite_yes");
    const auto question = askToReplace(session);
    answer(question, button::yes);
    const auto path = session.snipletPath(defaultName);
    checkOkBox(waitForMessageBox(session.processId()), completionText(path), BoxIcon::Question,
               "completion message after Yes");
    const auto bytes = readFileBytes(path);
    require(bytes.has_value(), "the file is there");
    checkEqualBytes(
        *bytes, snipletFile("Name of code here", "Second author", "About the code", "", "", "", ""),
        "the file holds the new sniplet and nothing of the old");
    check(folderEntries(session.snipletsFolder()) ==
              std::vector<std::wstring>{defaultName + L".snp"},
          "no temporary file is left beside it");
}

void refusedNames() {
    Form1Session session(L"refused_names");
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
    check(folderEntries(session.snipletsFolder()).empty(), "no file was written");
}

void unwritableTarget() {
    Form1Session session(L"unwritable_target");
    const auto path = session.snipletPath(defaultName);
    session.createAndConfirm(defaultName);
    setReadOnly(path, true);
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
    const auto bytes = readFileBytes(path);
    require(bytes.has_value(), "the read-only file is still there");
    checkEqualBytes(*bytes, defaultSniplet(), "the read-only file is unchanged");
    check(folderEntries(session.snipletsFolder()) ==
              std::vector<std::wstring>{defaultName + L".snp"},
          "no temporary file is left beside it");
    setReadOnly(path, false);
}

void textOutsideTheCodePage() {
    require(GetACP() == 1252,
            "this case needs the ANSI code page 1252; it is " + std::to_string(GetACP()));
    Form1Session session(L"code_page");
    session.type(L"Text2", L"\u0418\u0432\u0430\u043d"); // Cyrillic: none of it is in 1252
    checkOkBox(session.create(),
               L"The sniplet holds characters that this system's code page cannot store (in "
               L"Author).\r\nChange them and try again.",
               BoxIcon::Stop, "code page message");
    check(folderEntries(session.snipletsFolder()).empty(), "no file was written");
}

void textInTheCodePage() {
    require(GetACP() == 1252,
            "this case needs the ANSI code page 1252; it is " + std::to_string(GetACP()));
    Form1Session session(L"code_page_bytes");
    session.type(L"Text2", L"Jos\u00e9 \u00dcnal \u20ac");
    session.createAndConfirm(defaultName);
    const auto bytes = readFileBytes(session.snipletPath(defaultName));
    require(bytes.has_value(), "the file was written");
    checkEqualBytes(
        *bytes,
        snipletFile("Name of code here", "Jos\xE9 \xDCnal \x80", "About the code", "", "", "", ""),
        "the author in code page 1252");
}

} // namespace

void addCreateCases(Suite& suite) {
    suite.add("create_right_after_start", createRightAfterStart);
    suite.add("example_then_create", exampleThenCreate);
    suite.add("overwrite_answer_no", overwriteAnswerNo);
    suite.add("overwrite_answer_yes", overwriteAnswerYes);
    suite.add("refused_names", refusedNames);
    suite.add("unwritable_target", unwritableTarget);
    suite.add("text_outside_the_code_page", textOutsideTheCodePage);
    suite.add("text_in_the_code_page", textInTheCodePage);
}

} // namespace snipforge_e2e
