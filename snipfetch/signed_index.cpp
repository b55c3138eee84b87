#include "snipfetch/signed_index.h"

#include "platform/utf8.h"
#include "snipfetch/base64.h"

#include <algorithm>
#include <new>

namespace snipfetch {

namespace {

constexpr std::uint64_t largestSequence = std::uint64_t{1} << 53;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal digits with no sign and no leading zero ("0" itself when zeroAllowed),
// at most `largest`.
std::optional<std::uint64_t> readDecimal(std::string_view digits, std::uint64_t largest) {
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (largest - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

// Fixed-width digits, as in a date.
std::optional<int> readDigits(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

struct CivilDay {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

CivilDay civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const unsigned month = shifted < 10 ? shifted + 3 : shifted - 9;
    return {static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// "YYYY-MM-DDTHH:MM:SSZ", a real day and time of day (no leap second).
std::optional<std::int64_t> readTime(std::string_view text) {
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z') {
        return std::nullopt;
    }
    const auto year = readDigits(text.substr(0, 4));
    const auto month = readDigits(text.substr(5, 2));
    const auto day = readDigits(text.substr(8, 2));
    const auto hour = readDigits(text.substr(11, 2));
    const auto minute = readDigits(text.substr(14, 2));
    const auto second = readDigits(text.substr(17, 2));
    if (!year || !month || !day || !hour || !minute || !second) {
        return std::nullopt;
    }
    constexpr int daysIn[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (*month < 1 || *month > 12 || *day < 1 || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    const int monthDays = daysIn[*month - 1] + (*month == 2 && isLeapYear(*year) ? 1 : 0);
    if (*day > monthDays) {
        return std::nullopt;
    }
    const auto days =
        daysFromCivil(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day));
    return days * 86400 + std::int64_t{*hour} * 3600 + std::int64_t{*minute} * 60 + *second;
}

int hexValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1; // upper case too: one spelling per digest
}

std::optional<platform::Sha256Digest> readDigest(std::string_view hex) {
    platform::Sha256Digest digest{};
    if (hex.size() != digest.size() * 2) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = hexValue(hex[2 * i]);
        const int low = hexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        digest[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return digest;
}

// "<sha256> <size> <name>"; the name is the rest of the line, blanks and all.
std::optional<IndexEntry> readEntry(std::string_view line, std::size_t lineOffset) {
    if (line.size() < 64 + 1 || line[64] != ' ') {
        return std::nullopt;
    }
    const auto digest = readDigest(line.substr(0, 64));
    const auto sizeEnd = line.find(' ', 65);
    if (!digest || sizeEnd == line.npos || sizeEnd + 1 == line.size()) {
        return std::nullopt;
    }
    const auto size = readDecimal(line.substr(65, sizeEnd - 65), UINT64_MAX);
    if (!size) {
        return std::nullopt;
    }
    IndexEntry entry;
    entry.sha256 = *digest;
    entry.size = *size;
    entry.nameOffset = static_cast<std::uint32_t>(lineOffset + sizeEnd + 1);
    entry.nameLength = static_cast<std::uint32_t>(line.size() - sizeEnd - 1);
    return entry;
}

} // namespace

std::optional<SignedIndex> readIndex(std::string_view text) {
    if (text.size() > largestIndex) {
        return std::nullopt;
    }
    IndexReader reader;
    reader.expectSize(text.size());
    std::size_t at = 0;
    for (auto end = text.find('\n'); end != text.npos; end = text.find('\n', at)) {
        if (!reader.addLine(text.substr(at, end - at), at)) {
            return std::nullopt;
        }
        at = end + 1;
    }
    return reader.finish(text.size());
}

void IndexReader::expectSize(std::size_t bytes) {
    // An entry's line is at least a hash, a blank, a digit, a blank, a character
    // of a name and its LF: room for the most there can be, so that a list of a
    // million names is never copied as it grows (memory not written to is not
    // taken). Without that room it grows as it comes.
    constexpr std::size_t shortestEntryLine = 64 + 1 + 1 + 1 + 1 + 1;
    try {
        index_.entries.reserve(std::min(bytes, largestIndex) / shortestEntryLine);
    } catch (const std::bad_alloc&) {
    }
}

bool IndexReader::addLine(std::string_view line, std::size_t offset) {
    if (failed_ || !read(line, offset)) {
        failed_ = true;
        return false;
    }
    end_ = offset + line.size() + 1;
    return true;
}

std::optional<SignedIndex> IndexReader::finish(std::size_t size) {
    if (failed_ || next_ != Part::end || size != end_) {
        return std::nullopt; // no signature, or text after it with no LF
    }
    failed_ = true; // once
    return std::move(index_);
}

bool IndexReader::read(std::string_view line, std::size_t offset) {
    // No CR anywhere, and UTF-8 throughout: an LF is never part of a longer
    // sequence, so line by line is the same as the whole text at once. A BOM
    // makes the first line another one.
    if (offset + line.size() >= largestIndex || line.find('\r') != line.npos ||
        !platform::appendUtf8(line, nullptr)) {
        return false;
    }
    switch (next_) {
    case Part::header:
        next_ = Part::sequence;
        return line == "snipfetch index 1";
    case Part::sequence: {
        const auto number = line.starts_with("sequence ")
                                ? readDecimal(line.substr(9), largestSequence)
                                : std::nullopt;
        index_.sequence = number.value_or(0);
        next_ = Part::expires;
        return index_.sequence != 0;
    }
    case Part::expires: {
        const auto time = line.starts_with("expires ") ? readTime(line.substr(8)) : std::nullopt;
        index_.expires = time.value_or(0);
        next_ = Part::entries;
        return time.has_value();
    }
    case Part::entries:
        if (line.starts_with("signature ")) {
            const auto signature = decodeBase64(line.substr(10));
            if (!signature || signature->size() != index_.signature.size()) {
                return false;
            }
            std::copy(signature->begin(), signature->end(), index_.signature.begin());
            index_.signedLength = offset;
            next_ = Part::end;
            return true;
        }
        if (const auto entry = readEntry(line, offset)) {
            try {
                index_.entries.push_back(*entry);
                return true;
            } catch (const std::bad_alloc&) {
                return false; // refused, as any index the program cannot hold
            }
        }
        return false;
    case Part::end:
        return false; // a line after the signature's
    }
    return false;
}

bool isSignedBy(const SignedIndex& index, std::string_view text,
                std::span<const std::uint8_t, 65> key) {
    return index.signedLength <= text.size() &&
           platform::verifyP256Signature(key, text.substr(0, index.signedLength), index.signature);
}

bool isSignedBy(const SignedIndex& index, const platform::Sha256Digest& signedPart,
                std::span<const std::uint8_t, 65> key) {
    return platform::verifyP256Signature(key, signedPart, index.signature);
}

std::optional<P256Point> decodeIndexKey(std::string_view base64) {
    const auto bytes = decodeBase64(base64);
    P256Point point{};
    if (!bytes || bytes->size() != point.size() || (*bytes)[0] != '\x04') {
        return std::nullopt;
    }
    std::copy(bytes->begin(), bytes->end(), point.begin());
    return point;
}

namespace {

template <class Char>
void appendDigits(std::basic_string<Char>& out, std::int64_t value, int width) {
    Char digits[20];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<Char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

template <class Char> std::basic_string<Char> dateText(std::int64_t secondsSinceEpoch) {
    const std::int64_t days =
        secondsSinceEpoch >= 0 ? secondsSinceEpoch / 86400 : (secondsSinceEpoch - 86399) / 86400;
    const auto civil = civilFromDays(days);
    std::basic_string<Char> text;
    appendDigits(text, civil.year, 4);
    text.push_back('-');
    appendDigits(text, civil.month, 2);
    text.push_back('-');
    appendDigits(text, civil.day, 2);
    return text;
}

} // namespace

std::wstring dateOf(std::int64_t secondsSinceEpoch) {
    return dateText<wchar_t>(secondsSinceEpoch);
}

std::string expiryText(std::int64_t secondsSinceEpoch) {
    auto text = dateText<char>(secondsSinceEpoch);
    std::int64_t second = secondsSinceEpoch % 86400;
    if (second < 0) {
        second += 86400;
    }
    text.push_back('T');
    appendDigits(text, second / 3600, 2);
    text.push_back(':');
    appendDigits(text, second / 60 % 60, 2);
    text.push_back(':');
    appendDigits(text, second % 60, 2);
    text.push_back('Z');
    return text;
}

} // namespace snipfetch
