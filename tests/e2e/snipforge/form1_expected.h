// What snipforge's main window must look like: its designed twips table and its
// texts at start, written down here on their own so the tests check the program's
// table as well as the backend that shows it.
#pragma once

#include "platform/form_spec.h"

#include <string>

namespace snipforge_e2e {

platform::FormSpec expectedForm1();

extern const std::wstring codePrompt;
extern const std::wstring modulePrompt;

} // namespace snipforge_e2e
