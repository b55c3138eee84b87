// Which names can be the name of a file in a folder, on every Windows file system.
#pragma once

#include <string_view>

namespace platform {

// False for an empty name, a name ending in a dot or a blank (".", ".." too), a name holding \ / :
// * ? " < > | or a character below U+0020, and a reserved device name (CON, PRN, AUX, NUL, COM1 to
// COM9, LPT1 to LPT9, any letter case), also before a full stop ("nul.txt") and
// with trailing blanks ("CON .txt").
bool isUsableFileName(std::wstring_view name);

} // namespace platform
