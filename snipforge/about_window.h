// snipforge's About window: the program's title and version, and a button that
// starts the system's System Information program found through the registry.
#pragma once

#include "platform/form.h"
#include "platform/registry.h"

#include <string>

namespace snipforge {

class AboutWindow : public platform::Form {
public:
    AboutWindow();

    // Reads one registry value as text into KeyVal: REG_SZ as it stands,
    // REG_EXPAND_SZ with its environment references expanded, REG_DWORD as "&h"
    // and hexadecimal digits. True when the value was read; False, with KeyVal
    // empty, when the key or value is missing, cannot be opened for reading,
    // holds no data, is longer than 1024 bytes or of another type.
    static bool GetKeyValue(platform::registry::Key KeyRoot, const std::wstring& KeyName,
                            const std::wstring& SubKeyRef, std::wstring& KeyVal);

private:
    // Resolved once from the layout table (about_window_layout.cpp maps each
    // designer name to its member).
    platform::CommandButton& okButton_;
    platform::CommandButton& systemInfoButton_;

    void centreOnScreen();
    void StartSysInfo();
};

} // namespace snipforge
