#include "platform/taskbar_progress.h"

#include "platform/headless/headless.h"

#include <string>

namespace platform::headless {

namespace {
std::vector<std::wstring>& taskbarEntries() {
    static std::vector<std::wstring> entries;
    return entries;
}
} // namespace

void resetTaskbar() {
    taskbarEntries().clear();
}
const std::vector<std::wstring>& taskbarLog() {
    return taskbarEntries();
}
void noteMessageBoxInTaskbarLog(const std::wstring& title) {
    taskbarEntries().push_back(L"box: " + title);
}

} // namespace platform::headless

namespace platform {

// What the button shows, as taskbarLog() spells it; each change is logged once.
struct TaskbarProgress::State {
    std::wstring shown = L"none";
    void show(std::wstring state) {
        if (state != shown) {
            headless::taskbarEntries().push_back(state);
            shown = std::move(state);
        }
    }
};

TaskbarProgress::TaskbarProgress(const Form&) : state_(std::make_unique<State>()) {}

TaskbarProgress::~TaskbarProgress() {
    clear();
}

void TaskbarProgress::busy() {
    state_->show(L"busy");
}

void TaskbarProgress::advance(std::size_t done, std::size_t total) {
    if (total > 0) {
        state_->show(std::to_wstring(done) + L"/" + std::to_wstring(total));
    }
}

void TaskbarProgress::failed() {
    state_->show(L"error");
}

void TaskbarProgress::clear() {
    state_->show(L"none");
}

} // namespace platform
