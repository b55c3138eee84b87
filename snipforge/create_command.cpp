// The Create command of the main window: the sniplet it holds, written as
// <name>.snp into the Sniplets folder beside the program.
#include "platform/decimal_text.h"
#include "snipforge/main_window.h"

#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/leftovers.h"
#include "platform/message_box.h"
#include "snipforge/sniplet_writer.h"

namespace snipforge {

namespace {

const std::wstring title = L"Duzarudar";

std::wstring quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

void reportFailure(const std::wstring& filePath, platform::Status status) {
    platform::messageBox(L"Could not create the sniplet.\r\nFile location: " + quoted(filePath) +
                             L"\r\n" + platform::errorText(status.error),
                         platform::mb::critical, title);
}

std::wstring refusalText(const SnipletRefusal& refusal) {
    using Reason = SnipletRefusal::Reason;
    switch (refusal.reason) {
    case Reason::Unconvertible:
        return L"The sniplet holds characters that this system's code page cannot store (in " +
               std::wstring(fieldCaption(refusal.field)) + L").\r\nChange them and try again.";
    case Reason::LineBreak:
        return L"The " + std::wstring(fieldCaption(refusal.field)) +
               L" text holds a line break, and it must fit on one line of the sniplet file.\r\n"
               L"Remove the line break and try again.";
    case Reason::DashLine:
        return L"Line " + platform::decimalText(refusal.line) + L" of the " +
               std::wstring(textName(refusal.field)) +
               L" is exactly \"---\", the line that ends each text in a sniplet file: the file "
               L"would be misread.\r\nChange that line, for example by adding a blank after the "
               L"dashes, or remove it, and try again.";
    }
    return {};
}

} // namespace

std::wstring MainWindow::AppendBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') {
        return path;
    }
    return path + L"\\";
}

void MainWindow::onCreateClick() {
    const std::wstring folderPath = snipletFolder();
    const std::wstring name = nameBox_.text();
    const std::wstring filePath = folderPath + name + L".snp";

    // The name becomes a file name as it stands: refuse what would leave the
    // folder, match other files or name a device.
    if (name.empty() || !platform::isUsableFileName(name + L".snp")) {
        platform::messageBox(
            L"The name " + quoted(name) + L" cannot be used for a sniplet file.\r\n" +
                L"Use a name that is not empty, is not a device name such as CON or NUL, and "
                L"holds none of these characters: \\ / : * ? \" < > |",
            platform::mb::critical, title);
        return;
    }

    const Sniplet sniplet = currentSniplet();
    const EncodedSniplet encoded = encodeSniplet(sniplet);
    if (encoded.refusal) {
        platform::messageBox(refusalText(*encoded.refusal), platform::mb::critical, title);
        return;
    }

    if (!platform::folderExists(folderPath)) {
        if (const auto made = platform::createFolder(folderPath); !made.ok()) {
            reportFailure(filePath, made);
            return;
        }
    }

    // Temporary files that an earlier run, ended in the middle of a write, left behind.
    platform::removeLeftovers(folderPath);

    if (platform::entryExists(filePath)) {
        const int answer =
            platform::messageBox(quoted(filePath) + L" already exist. Do you want to replace it?",
                                 platform::mb::yesNo + platform::mb::critical, title);
        if (answer == platform::answer::no) {
            return;
        }
    }

    if (const auto written = platform::replaceFile(filePath, encoded.bytes); !written.ok()) {
        reportFailure(filePath, written);
        return;
    }

    keptSniplet_ = sniplet;
    platform::messageBox(L"Done creating sniplet.\r\nFile location: " + quoted(filePath),
                         platform::mb::question, title);
}

} // namespace snipforge
