// The screen as the windows see it.
#pragma once

namespace platform {

struct TwipsSize {
    int width = 0;
    int height = 0;
};

// The whole primary screen, not the work area, in twips.
TwipsSize screenSize();

} // namespace platform
