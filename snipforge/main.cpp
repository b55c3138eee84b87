#include "platform/dll_search.h"
#include "platform/form.h"
#include "snipforge/main_window.h"

int main() {
    platform::searchDllsInSystemFolderOnly();
    snipforge::MainWindow window;
    return platform::runApplication(window);
}
