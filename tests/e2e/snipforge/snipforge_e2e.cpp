// snipforge driven end to end under Wine: --app=<path of snipforge.exe>.
#include "tests/e2e/driver/check.h"
#include "tests/e2e/snipforge/cases.h"

int main() {
    e2e::Suite suite("snipforge");
    snipforge_e2e::addMainWindowCases(suite);
    snipforge_e2e::addCreateCases(suite);
    return suite.run();
}
