// Which listed names the local sniplet folder lacks, tested against one listing
// of the folder, so each name costs the same however many files it holds.
#pragma once

#include "platform/file_name_set.h"

#include <string>
#include <string_view>

namespace snipfetch {

class NewNames {
public:
    explicit NewNames(platform::FileNameSet present) : present_(std::move(present)) {}

    // name: the listed name, utf8: the same as UTF-8.
    bool isNew(std::string_view utf8, std::wstring_view name);

private:
    platform::FileNameSet present_;
    std::wstring key_;
    std::string asciiKey_;
};

} // namespace snipfetch
