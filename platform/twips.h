// Twips to pixels at a given DPI: 1440 twips an inch.
#pragma once

namespace platform {

constexpr int twipsPerInch = 1440;

// Rounds to the nearest pixel, halves away from zero, as MulDiv does.
constexpr int twipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = twipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / twipsPerInch
                                        : -((-scaled + half) / twipsPerInch));
}

constexpr int pixelsToTwips(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * twipsPerInch;
    return static_cast<int>(scaled >= 0 ? (scaled + dpi / 2) / dpi : -((-scaled + dpi / 2) / dpi));
}

// Font height in pixels (negative: character height) of a point size at a DPI,
// for Arial 8.25 pt: -11 at 96 DPI, -17 at 144 DPI.
constexpr int fontHeightPixels(double points, int dpi) {
    const double pixels = points * dpi / 72.0;
    // Points and DPI are positive, so adding a half rounds to nearest.
    return -static_cast<int>(pixels + 0.5); // NOLINT(bugprone-incorrect-roundings)
}

} // namespace platform
