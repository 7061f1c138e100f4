// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The layout is written in twips (1/1440 inch) and colours as &H00BBGGRR&;
// these are the only places where they become pixels and red, green, blue.
namespace layout {

inline constexpr int kTwipsPerPixel = 15; // at 96 dots per inch
inline constexpr int kTwipsPerPoint = 20;

constexpr int TwipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// Fonts are sized in pixels so that they scale with the geometry on any screen.
constexpr int PointsToPixels(int points) {
    return TwipsToPixels(points * kTwipsPerPoint);
}

struct Rgb {
    int red, green, blue;
};

constexpr Rgb FromBgr(std::uint32_t bgr) {
    return {static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
            static_cast<int>((bgr >> 16) & 0xFF)};
}

} // namespace layout
