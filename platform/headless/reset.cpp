#include "platform/headless/headless.h"

namespace platform::headless {

void resetWindows();
void resetMessages();
void resetFiles();
void resetProcesses();
namespace registry {
void resetRegistry();
}

void reset() {
    resetWindows();
    resetMessages();
    resetFiles();
    resetProcesses();
    registry::resetRegistry();
}

} // namespace platform::headless
