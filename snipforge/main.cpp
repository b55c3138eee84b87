#include "platform/dll_search.h"
#include "platform/form.h"
#include "platform/program_arguments.h"
#include "snipforge/main_window.h"

int main() {
    platform::searchDllsInSystemFolderOnly();
    snipforge::MainWindow window;
    // Shown first, so that a file that cannot be opened is reported over the window.
    window.show();
    window.openArguments(platform::programArguments());
    return platform::runApplication(window);
}
