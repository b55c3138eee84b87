// Somewhere bytes go as they arrive, such as a file being written.
#pragma once

#include "platform/files.h"

#include <string_view>

namespace platform {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Takes the next bytes; a failed Status stops whatever is feeding the sink.
    virtual Status append(std::string_view bytes) = 0;
};

} // namespace platform
