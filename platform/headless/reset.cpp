#include "platform/headless/headless.h"

namespace platform::headless {

void resetWindows();
void resetMessages();
void resetFiles();
void resetProcesses();
void resetTaskbar();
void resetCommands();
void resetClock();
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
    resetClock();
    registry::resetRegistry();
    setUndecodableBytes({});
}

} // namespace platform::headless
