// Where the program looks for DLLs that it loads after start.
#pragma once

namespace platform {

// From here on every DLL that the program or a system DLL loads by name comes
// from the system folder, never from the program's folder or the current
// directory (a Downloads folder, where a web page can drop a file). Called
// first thing in main, before anything is loaded by name.
void searchDllsInSystemFolderOnly();

} // namespace platform
