#include "snipfetch/sniplet_head.h"

#include "platform/code_page.h"
#include "platform/file_names.h"
#include "platform/utf8.h"

#include <algorithm>
#include <array>

namespace snipfetch {

namespace {

constexpr std::string_view header = "Sniplet File";
constexpr std::size_t headLines = 4;

struct RawLines {
    std::array<std::string_view, headLines> lines;
    std::size_t count = 0; // lines the bytes reach
    bool lastCut = false;  // the bytes ended inside the last line taken
};

RawLines splitHead(std::string_view bytes) {
    RawLines raw;
    for (std::size_t index = 0; index < headLines && !bytes.empty(); ++index) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (end == std::string_view::npos) {
            raw.lastCut = true;
            bytes = {};
        } else {
            bytes.remove_prefix(end + 1);
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        raw.lines[index] = line;
        raw.count = index + 1;
    }
    return raw;
}

// The line without a UTF-8 sequence that the end of the bytes cut short.
std::string_view withoutCutSequence(std::string_view line) {
    for (std::size_t back = 1; back <= 3 && back <= line.size(); ++back) {
        const auto byte = static_cast<unsigned char>(line[line.size() - back]);
        if (byte < 0x80) {
            return line; // ASCII: nothing cut
        }
        if (byte >= 0xC0) { // a lead byte: how long its sequence should be
            const std::size_t wanted = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            return wanted > back ? line.substr(0, line.size() - back) : line;
        }
    }
    return line;
}

bool isUtf8Head(const RawLines& raw, std::size_t count) {
    bool beyondAscii = false;
    for (std::size_t index = 0; index < count; ++index) {
        std::string_view line = raw.lines[index];
        if (raw.lastCut && index + 1 == count) {
            line = withoutCutSequence(line);
        }
        if (!platform::appendUtf8(line, nullptr)) {
            return false;
        }
        beyondAscii = beyondAscii || std::any_of(line.begin(), line.end(), [](char c) {
                          return static_cast<unsigned char>(c) >= 0x80;
                      });
    }
    return beyondAscii;
}

bool isHidden(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           platform::isBidiControl(c);
}

bool isHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

std::wstring screened(std::wstring text) {
    std::erase_if(text, isHidden);
    if (text.size() > longestHeadLine) {
        std::size_t kept = longestHeadLine - 1;
        if (isHighSurrogate(text[kept - 1])) {
            --kept; // its pair would be cut off
        }
        text.resize(kept);
        text.push_back(L'\u2026');
    }
    return text;
}

} // namespace

std::optional<SnipletHead> readSnipletHead(std::string_view bytes) {
    const RawLines raw = splitHead(bytes);
    if (raw.count == 0 || raw.lines[0] != header) {
        return std::nullopt;
    }
    const std::size_t count = raw.count;
    const bool utf8 = isUtf8Head(raw, count);
    const auto decode = [&](std::size_t index) {
        std::string_view line = raw.lines[index];
        if (index >= count) {
            return std::wstring();
        }
        if (utf8) {
            if (raw.lastCut && index + 1 == count) {
                line = withoutCutSequence(line);
            }
            std::wstring text;
            platform::appendUtf8(line, &text);
            return screened(std::move(text));
        }
        return screened(platform::fromAnsi(line));
    };
    return SnipletHead{decode(1), decode(2), decode(3)};
}

std::wstring tipTextOf(const SnipletHead& head) {
    return head.name + L"\r\nby " + head.author + L"\r\n" + head.description;
}

} // namespace snipfetch
