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
    // The whole length that will come, told before the first bytes: a sink that
    // keeps them in memory makes room at once instead of copying as they grow.
    virtual void expect(unsigned long long /*length*/) {}
};

} // namespace platform
