// Display resolution for the end-to-end tests.
#pragma once

namespace e2e {

// Makes this process per-monitor DPI aware, so that Wine reports the rectangles of
// another process's windows in real pixels, whatever DPI each process started with.
void measureInPhysicalPixels();

// The DPI this process started with.
int systemDpi();

// Sets the DPI of the prefix (HKCU\Control Panel\Desktop LogPixels) for the
// programs started from now on; puts the earlier value back when it ends.
class LogPixelsOverride {
public:
    explicit LogPixelsOverride(int dpi);
    ~LogPixelsOverride();
    LogPixelsOverride(const LogPixelsOverride&) = delete;
    LogPixelsOverride& operator=(const LogPixelsOverride&) = delete;

private:
    bool hadValue_ = false;
    unsigned long previous_ = 0;
};

} // namespace e2e
