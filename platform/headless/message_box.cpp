#include "platform/message_box.h"
#include "platform/headless/headless.h"

#include <stdexcept>

namespace platform::headless {

void noteMessageBoxInTaskbarLog(const std::wstring& title);

namespace {
struct MessageState {
    std::vector<Message> shown;
    std::deque<int> answers;
};
MessageState& state() {
    static MessageState s;
    return s;
}
} // namespace

void resetMessages() {
    state() = MessageState{};
}
const std::vector<Message>& messages() {
    return state().shown;
}
void queueAnswer(int answer) {
    state().answers.push_back(answer);
}

} // namespace platform::headless

namespace platform {

int messageBox(const std::wstring& text, int style, const std::wstring& title) {
    auto& s = headless::state();
    s.shown.push_back({text, style, title});
    headless::noteMessageBoxInTaskbarLog(title);
    if (!s.answers.empty()) {
        const int answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
    if ((style & 7) != mb::okOnly) {
        throw std::logic_error("a message box with choices came up and the test queued no answer");
    }
    return answer::ok;
}

} // namespace platform
