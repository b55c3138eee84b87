// Which names can be the name of a file in a folder, on every Windows file system.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// The longest file name (one path component) a Windows file system holds, in UTF-16 units.
constexpr std::size_t longestFileName = 255;

// False for:
// - an empty name, or one longer than longestFileName;
// - a name ending in a dot or a blank (".", ".." too);
// - a name holding \ / : * ? " < > |, a character below U+0020, or a bidirectional
//   control (U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069), which would show
//   the name as something it is not ("evil<U+202E>pns.exe" shows as "evilexe.snp");
// - a reserved device name (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1 to COM9 and
//   LPT1 to LPT9, also with a superscript 1, 2 or 3 in place of the digit), in any
//   letter case, also before a full stop ("nul.txt") and with trailing blanks
//   ("CON .txt").
bool isUsableFileName(std::wstring_view name);

// U+200E, U+200F, U+202A to U+202E and U+2066 to U+2069: characters that turn the
// text around them, so that it shows as something it is not.
bool isBidiControl(wchar_t c);

} // namespace platform
