// The first bytes of files, fetched beside the window for a display: the window
// thread starts each peek and never waits for one. Each end comes back as an
// event on the window thread once it is free, never inside another handler (a
// press that waits on the network holds them until it is over).
#pragma once

#include "platform/http.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace platform {

class HttpPeeks {
public:
    // At most `lanes` peeks at once, each on a connection of its own that stays
    // open for the lane's next peek unless the last one had to be cut off.
    explicit HttpPeeks(std::size_t lanes);
    // Cancels what still runs (as cancel()) without waiting for it.
    ~HttpPeeks();
    HttpPeeks(const HttpPeeks&) = delete;
    HttpPeeks& operator=(const HttpPeeks&) = delete;

    // Asks url for its first `limit` bytes with "Range: bytes=0-<limit - 1>", as
    // HttpClient::get asks (the same limits of time, speed and redirects). A 206
    // or a 200 counts; a server that ignores the range is read for `limit` bytes
    // only and its connection dropped. The result's body holds what came, at
    // most `limit` bytes. False when every lane is busy.
    bool start(std::size_t tag, const std::wstring& url, std::size_t limit);

    // From the return on, the peek's end is not reported.
    void cancel(std::size_t tag);
    std::size_t running() const;

    // Raised on the window thread for each peek that ends and was not cancelled;
    // its lane is free again by then.
    std::function<void(std::size_t tag, HttpResult result)> onEnded;

    struct Backend; // one per platform

private:
    std::unique_ptr<Backend> backend_;
};

} // namespace platform
