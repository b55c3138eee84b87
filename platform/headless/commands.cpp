// The window-level input that is no control's: system menu items, Ctrl keys,
// dropped files, the Open dialog and the program's arguments.
#include "platform/headless/headless.h"
#include "platform/open_dialog.h"
#include "platform/program_arguments.h"

#include <stdexcept>

namespace platform::headless {

namespace {

struct CommandState {
    std::deque<std::optional<std::wstring>> openAnswers;
    std::vector<OpenFileRequest> openRequests;
    std::vector<std::wstring> arguments;
};

CommandState& state() {
    static CommandState s;
    return s;
}

void requireLoaded(const Form& form) {
    if (!form.loaded()) {
        throw std::logic_error("input for a window that is not loaded");
    }
}

} // namespace

void resetCommands() {
    state() = CommandState{};
}

void chooseSystemMenuItem(Form& form, std::wstring_view caption) {
    requireLoaded(form);
    for (const auto& command : form.commands) {
        if (command.menuCaption == caption) {
            command.run();
            return;
        }
    }
    throw std::logic_error("no such item in the system menu");
}

bool pressControlKey(Form& form, wchar_t letter) {
    requireLoaded(form);
    for (const auto& command : form.commands) {
        if (command.controlLetter == letter) {
            command.run();
            return true;
        }
    }
    return false;
}

bool dropFiles(Form& form, const std::vector<std::wstring>& paths) {
    requireLoaded(form);
    if (!form.onFilesDropped) {
        return false;
    }
    form.onFilesDropped(paths);
    return true;
}

void queueOpenDialogAnswer(std::optional<std::wstring> path) {
    state().openAnswers.push_back(std::move(path));
}

const std::vector<OpenFileRequest>& openDialogRequests() {
    return state().openRequests;
}

void setProgramArguments(std::vector<std::wstring> arguments) {
    state().arguments = std::move(arguments);
}

} // namespace platform::headless

namespace platform {

std::optional<std::wstring> askFileToOpen(const OpenFileRequest& request) {
    auto& s = headless::state();
    s.openRequests.push_back(request);
    if (s.openAnswers.empty()) {
        throw std::logic_error("the Open dialog came up and the test queued no answer");
    }
    auto answer = std::move(s.openAnswers.front());
    s.openAnswers.pop_front();
    return answer;
}

std::vector<std::wstring> programArguments() {
    return headless::state().arguments;
}

} // namespace platform
