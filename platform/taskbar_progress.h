// The program's taskbar button as the progress bar of a long command. Nothing
// inside the window changes. Where the system offers no such button (no
// taskbar, an older shell), every call does nothing.
#pragma once

#include <cstddef>
#include <memory>

namespace platform {

class Form;

class TaskbarProgress {
public:
    // Shows nothing yet. The form's window must be loaded.
    explicit TaskbarProgress(const Form& form);
    ~TaskbarProgress(); // the button shows no progress again
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    void busy();                                       // under way, length unknown
    void advance(std::size_t done, std::size_t total); // done of total; nothing when total is 0
    void failed();                                     // the error state, until cleared
    void clear();                                      // no progress, as at the start

private:
    struct State;
    std::unique_ptr<State> state_; // none where the button cannot show progress
};

} // namespace platform
