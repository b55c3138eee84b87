#include "platform/form.h"
#include "snipforge/main_window.h"

int main() {
    snipforge::Form1 form1;
    return platform::runApplication(form1);
}
