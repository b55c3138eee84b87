#include "platform/headless/headless.h"

namespace platform::headless {

void resetWindows();
void resetMessages();
void resetFiles();
void resetProcesses();
void resetTaskbar();
void resetCommands();
namespace registry {
void resetRegistry();
}

void reset() {
    resetWindows();
    resetMessages();
    resetFiles();
    resetProcesses();
    resetTaskbar();
    resetCommands();
    registry::resetRegistry();
    setUndecodableBytes({});
}

} // namespace platform::headless
