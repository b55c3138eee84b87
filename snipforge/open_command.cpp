// Opening a sniplet file into the main window: from the program's argument, a
// file dropped on the window, or the Open dialog (Ctrl+O, the system menu).
#include "snipforge/main_window.h"

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/open_dialog.h"
#include "snipforge/sniplet_reader.h"

namespace snipforge {

namespace {

const std::wstring title = L"Duzarudar";

void reportUnreadable(const std::wstring& path, const std::wstring& reason) {
    platform::messageBox(L"Could not open the sniplet.\r\nFile location: \"" + path + L"\"\r\n" +
                             reason,
                         platform::mb::critical, title);
}

} // namespace

std::wstring MainWindow::snipletFolder() {
    return AppendBackslash(platform::applicationFolder()) + L"Sniplets\\";
}

Sniplet MainWindow::currentSniplet() const {
    return Sniplet{nameBox_.text(), authorBox_.text(), descriptionBox_.text(), codeVersion,
                   declVersion};
}

void MainWindow::openArguments(const std::vector<std::wstring>& arguments) {
    if (arguments.size() == 1) {
        openSniplet(arguments[0]);
    }
}

void MainWindow::onOpenCommand() {
    const auto path = platform::askFileToOpen({L"Sniplets (*.snp)", L"*.snp", snipletFolder()});
    if (path) {
        openSniplet(*path);
    }
}

void MainWindow::openDroppedFiles(const std::vector<std::wstring>& paths) {
    if (paths.size() != 1) {
        platform::messageBox(L"Drop one sniplet file at a time.", platform::mb::critical, title);
        return;
    }
    openSniplet(paths[0]);
}

void MainWindow::openSniplet(const std::wstring& path) {
    const auto file = platform::readFile(path, largestSnipletFile);
    if (file.tooLarge) {
        reportUnreadable(path, L"The file is larger than 1 MiB, which no sniplet is.");
        return;
    }
    if (!file.status.ok()) {
        reportUnreadable(path, platform::errorText(file.status.error));
        return;
    }
    const auto reading = decodeSniplet(file.bytes);
    if (!reading.sniplet) {
        reportUnreadable(path, reading.refusal);
        return;
    }
    if (currentSniplet() != keptSniplet_) {
        const int answer = platform::messageBox(
            L"The sniplet in this window has changes that are in no file.\r\nDo you want to "
            L"discard them and open \"" +
                path + L"\"?",
            platform::mb::yesNo + platform::mb::question, title);
        if (answer != platform::answer::yes) {
            return;
        }
    }
    fillForm(*reading.sniplet);
}

// The boxes show the variants their option buttons select. Each box's Change then
// stores the text back into the slot it came from.
void MainWindow::fillForm(const Sniplet& sniplet) {
    nameBox_.setText(sniplet.name);
    authorBox_.setText(sniplet.author);
    descriptionBox_.setText(sniplet.description);
    codeVersion = sniplet.code;
    declVersion = sniplet.moduleText;
    codeBox_.setText(codeVersion[code16Option_.value() ? 0 : 1]);
    moduleBox_.setText(declVersion[module16Option_.value() ? 0 : 1]);
    keptSniplet_ = currentSniplet();
}

} // namespace snipforge
