#include "tests/e2e/driver/program_run.h"

#include "tests/e2e/driver/check.h"

namespace e2e {

ProgramRun::ProgramRun(const std::wstring& program, const std::wstring& folder,
                       platform::FormSpec mainWindow, int dpi, const Placement& placement)
    : App(program, folder, placement), WindowDriver(processId(), std::move(mainWindow), dpi),
      folder_(folder) {}

void ProgramRun::close() {
    PostMessageW(window(), WM_CLOSE, 0, 0);
    checkEqual(waitForExit(), 0, "exit code after the window closed");
}

} // namespace e2e
