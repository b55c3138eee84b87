#include "platform/headless/headless.h"

namespace platform::headless {

void resetWindows();
void resetMessages();
void resetFiles();

void reset() {
    resetWindows();
    resetMessages();
    resetFiles();
}

} // namespace platform::headless
