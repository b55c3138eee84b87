#include "platform/form.h"
#include "snipforge/main_window.h"

int main() {
    snipforge::MainWindow window;
    return platform::runApplication(window);
}
