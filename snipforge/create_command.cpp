// The Create command of the main window: the sniplet it holds, written as
// <name>.snp into the Sniplets folder beside the program.
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

} // namespace

std::wstring MainWindow::AppendBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') {
        return path;
    }
    return path + L"\\";
}

void MainWindow::onCreateClick() {
    const std::wstring folderPath = AppendBackslash(platform::applicationFolder()) + L"Sniplets\\";
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

    const Sniplet sniplet{name, authorBox_.text(), descriptionBox_.text(), codeVersion,
                          declVersion};
    const EncodedSniplet encoded = encodeSniplet(sniplet);
    if (encoded.unconvertible) {
        platform::messageBox(L"The sniplet holds characters that this system's code page cannot "
                             L"store (in " +
                                 std::wstring(fieldCaption(*encoded.unconvertible)) +
                                 L").\r\nChange them and try again.",
                             platform::mb::critical, title);
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

    platform::messageBox(L"Done creating sniplet.\r\nFile location: " + quoted(filePath),
                         platform::mb::question, title);
}

} // namespace snipforge
