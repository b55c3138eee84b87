#include "snipforge/about_window.h"

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/screen.h"
#include "snipforge/about_window_layout.h"

#include <cmath>
#include <cwctype>
#include <string_view>
#include <vector>

namespace snipforge {

namespace registry = platform::registry;

namespace {

const std::wstring sysInfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::wstring sysInfoLocationKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";
const std::wstring sysInfoFileName = L"MSINFO32.EXE";
constexpr std::size_t valueBufferSize = 1024;

bool sameFileName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool holdsOrdinaryFile(const std::wstring& folder, const std::wstring& fileName) {
    for (const auto& name : platform::ordinaryFileNames(folder)) {
        if (sameFileName(name, fileName)) {
            return true;
        }
    }
    return false;
}

// The bytes from the last to the first, two hexadecimal digits each: a
// little-endian REG_DWORD reads as its number.
std::wstring hexDigitsLastByteFirst(std::string_view bytes) {
    constexpr std::wstring_view digits = L"0123456789ABCDEF";
    std::wstring text;
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        const auto byte = static_cast<unsigned char>(*it);
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0xF]);
    }
    return text;
}

void showUnavailable() {
    platform::messageBox(L"System Information Is Unavailable At This Time", platform::mb::okOnly,
                         L"snipforge");
}

} // namespace

AboutWindow::AboutWindow()
    : platform::Form(aboutWindowLayout()), okButton_(commandButton(L"cmdOK")),
      systemInfoButton_(commandButton(L"cmdSysInfo")) {
    onLoad = [this] { centreOnScreen(); };
    okButton_.onClick = [this] { unload(); };
    systemInfoButton_.onClick = [this] { StartSysInfo(); };
}

// Centred on the whole screen, not the work area; a window larger than the
// screen gets a negative position as it stands.
void AboutWindow::centreOnScreen() {
    const auto screen = platform::screenSize();
    const float top = (static_cast<float>(screen.height) - static_cast<float>(height())) / 2.0f;
    const float left = (static_cast<float>(screen.width) - static_cast<float>(width())) / 2.0f;
    // Half a twip rounds away from zero.
    move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
}

// The registered program path is started as it stands; a registered folder only
// when it holds the program file. Every failure ends in the same message, and
// the About window stays open.
void AboutWindow::StartSysInfo() {
    std::wstring path;
    if (!GetKeyValue(registry::localMachine, sysInfoKey, L"PATH", path)) {
        if (!GetKeyValue(registry::localMachine, sysInfoLocationKey, L"MSINFO", path) ||
            path.empty() || !holdsOrdinaryFile(path, sysInfoFileName)) {
            showUnavailable();
            return;
        }
        path += L"\\" + sysInfoFileName;
    }
    if (!platform::startProgram(path).ok()) {
        showUnavailable();
    }
}

bool AboutWindow::GetKeyValue(registry::Key KeyRoot, const std::wstring& KeyName,
                              const std::wstring& SubKeyRef, std::wstring& KeyVal) {
    KeyVal.clear();
    registry::OpenKey key;
    if (registry::openKey(KeyRoot, KeyName, registry::keyRead, key) != registry::result::success) {
        return false;
    }
    std::vector<unsigned char> buffer(valueBufferSize, 0);
    unsigned long size = valueBufferSize;
    unsigned long type = 0;
    // Data longer than the buffer fails here with "more data": it counts as absent.
    if (registry::queryValue(key, SubKeyRef, type, buffer, size) != registry::result::success ||
        size == 0 || size > buffer.size()) {
        return false;
    }
    // A last byte of 0 is the terminating NUL of text; data without one is whole.
    const std::size_t length = buffer[size - 1] == 0 ? size - 1 : size;
    const std::string_view data(reinterpret_cast<const char*>(buffer.data()), length);
    switch (type) {
    case registry::valueType::text:
        KeyVal = platform::fromAnsi(data);
        return true;
    case registry::valueType::expandableText:
        KeyVal = registry::expandEnvironmentReferences(platform::fromAnsi(data));
        return true;
    case registry::valueType::dword:
        KeyVal = L"&h" + hexDigitsLastByteFirst(data);
        return true;
    default:
        return false;
    }
}

} // namespace snipforge
