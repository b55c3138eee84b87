// What a program ended in the middle of a write (killed, or the power cut)
// leaves in a folder: safe replacement's temporary files "~rf<pid>-<n>.tmp"
// (hexadecimal) and the folder writer's staging folders "~staging-<pid>"
// (decimal), each named after the process that made it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The process id in the name when it is one of ours, else nothing.
std::optional<unsigned long> leftoverOwner(std::wstring_view name);

// Removes the leftovers in the folder whose process has ended; those of another
// process that still runs stay. Ones named after this process were left by an
// earlier one of the same id: call it while this process has nothing of its own
// in the folder. Nothing when the folder is missing. Failures leave things as
// they are, to be tried again next time.
void removeLeftovers(const std::wstring& folder);

} // namespace platform
