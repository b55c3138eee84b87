#include "platform/taskbar_progress.h"

#include "platform/form.h"
#include "platform/win32/form_window.h"

#include <windows.h>

#include <shobjidl.h>

namespace platform {

namespace {

// COM for the window thread, a single-threaded apartment, from its first use to
// the end of the program. ole32 is loaded only here, when a button exists.
bool comReady() {
    static const bool ready = [] {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // Already initialised otherwise by someone else: still usable.
        return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
    }();
    return ready;
}

ITaskbarList3* createTaskbarList() {
    ITaskbarList3* list = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(&list)))) {
        return nullptr;
    }
    if (FAILED(list->HrInit())) {
        list->Release();
        return nullptr;
    }
    return list;
}

} // namespace

struct TaskbarProgress::State {
    HWND window;
    ITaskbarList3* list;
    TBPFLAG shown = TBPF_NOPROGRESS;
    bool valueShown = false;

    ~State() { list->Release(); }

    void show(TBPFLAG state) {
        if (state != shown) {
            list->SetProgressState(window, state);
            shown = state;
        }
    }
};

TaskbarProgress::TaskbarProgress(const Form& form) {
    const auto* peer = dynamic_cast<const win32::FormWindow*>(form.peer());
    if (!peer || !peer->hasTaskbarButton() || !comReady()) {
        return;
    }
    if (ITaskbarList3* list = createTaskbarList()) {
        state_.reset(new State{peer->handle(), list});
    }
}

TaskbarProgress::~TaskbarProgress() {
    clear();
}

void TaskbarProgress::busy() {
    if (state_) {
        state_->show(TBPF_INDETERMINATE);
    }
}

void TaskbarProgress::advance(std::size_t done, std::size_t total) {
    if (state_ && total > 0) {
        state_->show(TBPF_NORMAL);
        state_->list->SetProgressValue(state_->window, done, total);
        state_->valueShown = true;
    }
}

void TaskbarProgress::failed() {
    if (state_) {
        state_->show(TBPF_ERROR);
        // A red bar of no length would not be seen: a failure before any value
        // fills it.
        if (!state_->valueShown) {
            state_->list->SetProgressValue(state_->window, 1, 1);
            state_->valueShown = true;
        }
    }
}

void TaskbarProgress::clear() {
    if (state_) {
        state_->show(TBPF_NOPROGRESS);
        state_->valueShown = false;
    }
}

} // namespace platform
