// The end-to-end cases of snipforge, by area.
#pragma once

namespace e2e {
class Suite;
}

namespace snipforge_e2e {

void addMainWindowCases(e2e::Suite& suite);
void addCreateCases(e2e::Suite& suite);

} // namespace snipforge_e2e
