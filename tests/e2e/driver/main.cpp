// The main of every end-to-end test program: runs the cases registered with E2E_CASE.
#include "tests/e2e/driver/check.h"

int main() {
    return e2e::Suite::run();
}
