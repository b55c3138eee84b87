// A WinHTTP handle that closes itself.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <memory>
#include <type_traits>

namespace platform {

struct InternetHandleCloser {
    void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};

using InternetHandle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetHandleCloser>;

} // namespace platform
