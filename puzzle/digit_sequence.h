// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace puzzle {

// The days of each month of a leap year, each followed by the month's number:
// 31 1 29 2 31 3 30 4 ... 31 12, one digit to an entry.
inline constexpr std::array<std::string_view, 39> DigitSequence = {
    "3", "1", "1", "2", "9", "2", "3", "1", "3", "3", // 0-9
    "0", "4", "3", "1", "5", "3", "0", "6", "3", "1", // 10-19
    "7", "3", "1", "8", "3", "0", "9", "3", "1", "1", // 20-29
    "0", "3", "0", "1", "1", "3", "1", "1", "2",      // 30-38
};

// What a box shows for a digit the user has to find.
inline constexpr std::string_view HiddenMark = "?";

inline constexpr int kBoxCount = 15;        // boxes in a row
inline constexpr int kShownCount = 10;      // boxes dealt with their digit
inline constexpr int kStartIndexCount = 25; // start offsets 0 to 24
inline constexpr int kCounterCount = 2;
inline constexpr int kCorrectCounter = 0; // green
inline constexpr int kWrongCounter = 1;   // red

} // namespace puzzle
