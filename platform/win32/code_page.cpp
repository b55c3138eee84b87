#include "platform/code_page.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace platform {

std::optional<std::string> toAnsi(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const int length = static_cast<int>(text.size());
    // A UTF-8 ANSI code page stores every character but lone surrogates, and
    // refuses a used-default flag: it reports those by failing instead.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;

    const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr,
                                         usedDefaultOut);
    if (size <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const int written = WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), size,
                                            nullptr, usedDefaultOut);
    if (written != size || usedDefault) {
        return std::nullopt;
    }
    return bytes;
}

std::wstring fromAnsi(std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        throw std::length_error("text too long for the ANSI code page conversion");
    }
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0) {
        throw std::runtime_error("the ANSI code page conversion failed");
    }
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
    return text;
}

} // namespace platform

namespace platform {

std::optional<std::wstring> fromAnsiExactly(std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const int length = static_cast<int>(bytes.size());
    const int size =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (size <= 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, text.data(),
                            size) != size) {
        return std::nullopt;
    }
    // Some code pages read two byte sequences as one character.
    if (toAnsi(text) != bytes) {
        return std::nullopt;
    }
    return text;
}

} // namespace platform
